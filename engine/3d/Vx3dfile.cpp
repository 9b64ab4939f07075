// Vx3dfile.cpp — loading, saving and searching a model.
#include "3d/Vx3dfile.h"

#include "core/Vxerror.h"
#include "plat/kernel.h"

namespace Vexmora3DSystem {
namespace {

using VexmoraSystem::EVx3DFile;

[[noreturn]] void LoadFailed(const std::string& fileName) {
  throw EVx3DFile("VexmoraXの読み込みに失敗しました。\nファイル名：" + fileName);
}
[[noreturn]] void SaveFailed(const std::string& fileName) {
  throw EVx3DFile("VexmoraXの保存に失敗しました。\nファイル名：" + fileName);
}

}  // namespace

void TVexmora3DFile::LoadFile(TVexmora3DModelDevice* device, const std::string& fileName) {
  fileName_.clear();
  root_ = std::make_unique<TVexmora3DObject>();
  std::unique_ptr<plat::Stream> stream = plat::OpenResource("VEXMORAX", fileName);
  if (!stream) stream = plat::OpenFile(fileName, plat::FileMode::ReadShareDenyWrite);
  if (!stream) {
    root_.reset();
    LoadFailed(fileName);
  }
  try {
    root_->Load(device, *stream);
  } catch (const EVx3DFile&) {
    root_.reset();
    LoadFailed(fileName);
  } catch (...) {
    root_.reset();
    throw;
  }
  fileName_ = fileName;
}

void TVexmora3DFile::SaveFile(const std::string& fileName) const {
  if (!root_) SaveFailed(fileName);
  std::unique_ptr<plat::Stream> stream = plat::OpenFile(fileName, plat::FileMode::CreateWrite);
  if (!stream || !root_->Save(*stream) || !stream->Flush()) SaveFailed(fileName);
}

TVexmora3DObject* TVexmora3DFile::FindObject(std::string_view name) const {
  for (TVexmora3DObject* obj = root_.get(); obj; obj = obj->GetNextObject())
    if (obj->CompareName(name)) return obj;
  return nullptr;
}

void TVexmora3DFile::Render(TVexmora3DModelDevice& device) const {
  if (root_) root_->Render(device);
}

}  // namespace Vexmora3DSystem
