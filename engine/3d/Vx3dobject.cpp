// Vx3dobject.cpp — object chains, name lookup and the object record.
#include "3d/Vx3dobject.h"

#include <algorithm>
#include <cstring>
#include <span>

#include "3d/Vx3dstream.h"
#include "core/Vxerror.h"

namespace Vexmora3DSystem {
namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::span<std::uint8_t> AsBytes(TVexmora3DObject::TName& field) {
  return {reinterpret_cast<std::uint8_t*>(field.data()), field.size()};
}
std::span<const std::uint8_t> AsBytes(const TVexmora3DObject::TName& field) {
  return {reinterpret_cast<const std::uint8_t*>(field.data()), field.size()};
}

void ReadColor(TVexmora3DReader& in, plat::D3DCOLORVALUE& c) {
  c.r = in.Float();
  c.g = in.Float();
  c.b = in.Float();
  c.a = in.Float();
}
void WriteColor(TVexmora3DWriter& out, const plat::D3DCOLORVALUE& c) {
  for (float f : {c.r, c.g, c.b, c.a}) out.Float(f);
}

void TryCreateTexture(TVexmora3DModelDevice* device, std::string_view name) {
  if (!device || name.empty()) return;
  try {
    device->CreateTexture(std::string(name), std::string(name), 0, 0);
  } catch (const plat::Exception&) {
    // a missing texture leaves the model untextured
  }
}

}  // namespace

TVexmora3DObject::~TVexmora3DObject() {
  delete child_;
  // Unlink siblings one by one so a long chain does not recurse.
  TVexmora3DObject* next = next_;
  while (next) {
    TVexmora3DObject* after = next->next_;
    next->next_ = nullptr;
    delete next;
    next = after;
  }
}

void TVexmora3DObject::AddNext(TVexmora3DObject* obj) {
  TVexmora3DObject* last = this;
  while (last->next_) last = last->next_;
  last->next_ = obj;
}

void TVexmora3DObject::AddChild(TVexmora3DObject* obj) {
  if (child_)
    child_->AddNext(obj);
  else
    child_ = obj;
}

std::string_view TVexmora3DObject::Field(const TName& field) {
  const auto end = std::find(field.begin(), field.end(), '\0');
  return {field.data(), static_cast<std::size_t>(end - field.begin())};
}

void TVexmora3DObject::SetField(TName& field, std::string_view text) {
  field.fill('\0');
  std::memcpy(field.data(), text.data(), std::min(text.size(), kNameSize - 1));
}

bool TVexmora3DObject::CompareName(std::string_view other) const {
  const std::string_view own = Name();
  return own.size() == other.size() &&
         std::equal(own.begin(), own.end(), other.begin(),
                    [](char a, char b) { return Lower(a) == Lower(b); });
}

void TVexmora3DObject::Load(TVexmora3DModelDevice* device, plat::Stream& stream) {
  try {
    bool hasNext = false;
    LoadRecord(device, stream, hasNext);
    TVexmora3DObject* tail = this;
    while (hasNext) {
      tail->next_ = new TVexmora3DObject;
      tail = tail->next_;
      tail->LoadRecord(device, stream, hasNext);
    }
  } catch (const TShortRead&) {
    throw VexmoraSystem::EVx3DFile("VexmoraXの読み込みに失敗しました。");
  }
}

void TVexmora3DObject::LoadRecord(TVexmora3DModelDevice* device, plat::Stream& stream,
                                  bool& hasNext) {
  TVexmora3DReader in(stream);
  in.Bytes(AsBytes(name));
  in.Bytes(reserved1);
  std::uint8_t byte = 0;
  in.Bytes({&byte, 1});
  envMap = byte != 0;
  in.Bytes(unused1);
  in.Bytes({&byte, 1});
  flatShade = byte != 0;
  in.Bytes({&alphaBlend, 1});
  in.Bytes({&multiTexture, 1});
  in.Bytes(AsBytes(texture0));
  in.Bytes(AsBytes(texture1));
  in.Bytes(unused2);
  ReadColor(in, material.diffuse);
  ReadColor(in, material.ambient);
  ReadColor(in, material.specular);
  ReadColor(in, material.emissive);
  material.power = in.Float();
  for (auto& row : localMatrix.m)
    for (float& f : row) f = in.Float();
  in.Bytes(reserved2);

  TryCreateTexture(device, Texture0());
  TryCreateTexture(device, Texture1());

  in.Vertices(in.U32(), vertices);
  in.Indices(in.U32(), indices);
  hasNext = in.U32() != 0;
}

bool TVexmora3DObject::Save(plat::Stream& stream) const {
  for (const TVexmora3DObject* obj = this; obj; obj = obj->next_)
    if (!obj->SaveRecord(stream, obj->next_ != nullptr)) return false;
  return true;
}

bool TVexmora3DObject::SaveRecord(plat::Stream& stream, bool hasNext) const {
  TVexmora3DWriter out(stream);
  out.Bytes(AsBytes(name));
  out.Bytes(reserved1);
  const std::uint8_t flags[1] = {static_cast<std::uint8_t>(envMap ? 1 : 0)};
  out.Bytes(flags);
  out.Bytes(unused1);
  const std::uint8_t states[3] = {static_cast<std::uint8_t>(flatShade ? 1 : 0), alphaBlend,
                                  multiTexture};
  out.Bytes(states);
  out.Bytes(AsBytes(texture0));
  out.Bytes(AsBytes(texture1));
  out.Bytes(unused2);
  WriteColor(out, material.diffuse);
  WriteColor(out, material.ambient);
  WriteColor(out, material.specular);
  WriteColor(out, material.emissive);
  out.Float(material.power);
  for (const auto& row : localMatrix.m)
    for (float f : row) out.Float(f);
  out.Bytes(reserved2);
  out.U32(static_cast<std::uint32_t>(vertices.size()));
  out.Vertices(vertices);
  out.U32(static_cast<std::uint32_t>(indices.size()));
  out.Indices(indices);
  out.U32(hasNext ? 1 : 0);
  return out.Ok();
}

}  // namespace Vexmora3DSystem
