// Vx3dtlstack.h — screen-space vertices and a growable batch of triangles
// made of them, drawn as one triangle list.
//
// A batch grows by `growBy` triangles whenever it is full (the engine uses
// 10), so a stack pushed 11 triangles holds 20. Render draws every held
// triangle with one DrawPrimitive and empties the batch; the memory stays.
#pragma once

#include <cstdint>
#include <memory>

namespace Vexmora3DSystem {

class TVexmora3D;

// Transformed and lit (flexible vertex format 0x1C4): screen position,
// reciprocal of w, ARGB colour, RGB specular, texture coordinates.
struct TVexmora3DTLVertex {
  float sx = 0, sy = 0, sz = 0, rhw = 1;
  std::uint32_t color = 0, specular = 0;
  float tu = 0, tv = 0;
};
static_assert(sizeof(TVexmora3DTLVertex) == 32);
inline constexpr std::uint32_t kTLVertexFvf = 0x1C4;

class TVexmora3DTLStack {
 public:
  explicit TVexmora3DTLStack(int growBy = 10) : growBy_(growBy > 0 ? growBy : 1) {}
  TVexmora3DTLStack(const TVexmora3DTLStack&) = delete;
  TVexmora3DTLStack& operator=(const TVexmora3DTLStack&) = delete;

  // Copies one triangle (three vertices).
  void Push(const TVexmora3DTLVertex* triangle);
  // Corners a, b, c, d become the triangles (a, b, c) and (c, b, d).
  void PushRect(const TVexmora3DTLVertex* quad);
  bool Check() const { return count_ != 0; }
  // Draws the held triangles as one list on `device` and empties the batch.
  void Render(TVexmora3D& device);
  void Clear() { count_ = 0; }
  void CleanUp();  // also frees the memory

  int Count() const { return count_; }
  int Capacity() const { return capacity_; }
  const TVexmora3DTLVertex* Buffer() const { return buffer_.get(); }

 private:
  void Reserve(int triangles);  // room for `triangles` more

  int growBy_;
  int count_ = 0;
  int capacity_ = 0;
  std::unique_ptr<TVexmora3DTLVertex[]> buffer_;
};

}  // namespace Vexmora3DSystem
