// Vx3dobject.h — one mesh object of a model and the chains it forms.
//
// An object has a name, a local transformation, a material, up to two
// texture names, render options, a vertex array and a triangle index list.
// Objects own their `next` sibling and their first `child`; destroying an
// object destroys both whole chains. A model file stores only the `next`
// chain as fixed-layout records (see Vx3dfile.h); children exist only when
// added in code, and are rendered but never saved.
//
// Names are fixed 32-byte fields; a name read from a file need not be
// NUL-terminated, so every use goes through the bounded accessors. Chains
// are walked iteratively, so a file with very many records cannot exhaust
// the stack; only AddChild nesting recurses.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "3d/Vx3dtypes.h"
#include "plat/kernel.h"

namespace Vexmora3DSystem {

class TVexmora3DObject {
 public:
  static constexpr std::size_t kNameSize = 32;
  static constexpr std::size_t kRecordHeadSize = 368;  // name + fields up to reserved2
  using TName = std::array<char, kNameSize>;

  TVexmora3DObject() = default;
  ~TVexmora3DObject();
  TVexmora3DObject(const TVexmora3DObject&) = delete;
  TVexmora3DObject& operator=(const TVexmora3DObject&) = delete;

  // Takes ownership. AddNext appends at the end of this object's chain;
  // AddChild makes `obj` the child, or appends it to the child's chain.
  void AddNext(TVexmora3DObject* obj);
  void AddChild(TVexmora3DObject* obj);
  TVexmora3DObject* GetNextObject() const { return next_; }
  TVexmora3DObject* GetChildObject() const { return child_; }

  // Case-insensitive comparison with the stored name.
  bool CompareName(std::string_view other) const;
  std::string_view Name() const { return Field(name); }
  std::string_view Texture0() const { return Field(texture0); }
  std::string_view Texture1() const { return Field(texture1); }
  static void SetField(TName& field, std::string_view text);  // cut to 31 bytes

  // Reads this record and every record chained after it. Textures named by
  // a record are created on `device` (when not null) under their own file
  // name; failures to create them are ignored. Throws EVx3DFile
  // "VexmoraXの読み込みに失敗しました。" when the stream ends inside a record;
  // records read before that stay chained.
  void Load(TVexmora3DModelDevice* device, plat::Stream& stream);
  // Writes this record and the rest of its `next` chain; false on a short write.
  bool Save(plat::Stream& stream) const;
  // Draws this object, its children under its combined matrix, then its
  // siblings under the world matrix current on entry.
  void Render(TVexmora3DModelDevice& device) const;

  TName name{};
  std::array<std::uint8_t, 4> reserved1{};
  bool envMap = false;  // spherical environment mapping at render time
  std::array<std::uint8_t, 2> unused1{};
  bool flatShade = false;
  TAlphaBlendEffect alphaBlend = 0;
  TMultiTextureEffect multiTexture = 0;
  TName texture0{};  // empty: none
  TName texture1{};
  std::array<std::uint8_t, 2> unused2{};
  plat::D3DMATERIAL7 material{};
  TVexmora3DMatrix localMatrix{};  // relative to the parent, or the world matrix
  std::array<std::uint8_t, 128> reserved2{};
  std::vector<TVexmora3DVertex> vertices;
  std::vector<std::uint16_t> indices;  // triangle list

 private:
  static std::string_view Field(const TName& field);
  void LoadRecord(TVexmora3DModelDevice* device, plat::Stream& stream, bool& hasNext);
  bool SaveRecord(plat::Stream& stream, bool hasNext) const;
  void RenderOne(TVexmora3DModelDevice& device) const;

  TVexmora3DObject* next_ = nullptr;
  TVexmora3DObject* child_ = nullptr;
};

}  // namespace Vexmora3DSystem
