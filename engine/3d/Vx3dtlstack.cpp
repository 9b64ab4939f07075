// Vx3dtlstack.cpp — the growable triangle batch.
#include "3d/Vx3dtlstack.h"

#include <algorithm>

#include "3d/Vx3d.h"

namespace Vexmora3DSystem {

void TVexmora3DTLStack::Reserve(int triangles) {
  if (capacity_ - count_ >= triangles) return;
  const int capacity = capacity_ + growBy_ * ((triangles - (capacity_ - count_) + growBy_ - 1) / growBy_);
  auto buffer = std::make_unique<TVexmora3DTLVertex[]>(static_cast<std::size_t>(capacity) * 3);
  std::copy_n(buffer_.get(), static_cast<std::size_t>(count_) * 3, buffer.get());
  buffer_ = std::move(buffer);
  capacity_ = capacity;
}

void TVexmora3DTLStack::Push(const TVexmora3DTLVertex* triangle) {
  Reserve(1);
  std::copy_n(triangle, 3, buffer_.get() + static_cast<std::size_t>(count_) * 3);
  ++count_;
}

void TVexmora3DTLStack::PushRect(const TVexmora3DTLVertex* q) {
  Reserve(2);
  TVexmora3DTLVertex* out = buffer_.get() + static_cast<std::size_t>(count_) * 3;
  const TVexmora3DTLVertex two[6] = {q[0], q[1], q[2], q[2], q[1], q[3]};
  std::copy_n(two, 6, out);
  count_ += 2;
}

void TVexmora3DTLStack::Render(TVexmora3D& device) {
  if (count_ == 0) return;
  device.DrawPrimitive(buffer_.get(), static_cast<std::uint32_t>(count_) * 3);
  count_ = 0;
}

void TVexmora3DTLStack::CleanUp() {
  buffer_.reset();
  count_ = capacity_ = 0;
}

}  // namespace Vexmora3DSystem
