// Vx3dfile.h — a model: a chain of mesh objects loaded from a model file.
//
// The file is a sequence of object records with no header (little-endian):
// name[32], reserved[4], envMap u8, 2 unused, flatShade u8, alphaBlend u8,
// multiTexture u8, texture0[32], texture1[32], 2 unused, material (17
// floats), local matrix (16 floats), reserved[128], vertexCount u32, 32-byte
// vertices, indexCount u32, u16 indices, then hasNext u32 (non-zero: another
// record follows). Data is taken first from a module resource of type
// "VEXMORAX" with the file's name, else from the file on disk.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "3d/Vx3dobject.h"

namespace Vexmora3DSystem {

class TVexmora3DFile {
 public:
  // Replaces the chain with the one read from `fileName`; textures go to
  // `device` (may be null). Throws EVx3DFile "VexmoraXの読み込みに失敗しました。
  // \nファイル名：<name>" when the data cannot be opened or is cut short; the
  // file then has no chain and an empty FileName().
  void LoadFile(TVexmora3DModelDevice* device, const std::string& fileName);
  // Writes the chain from Root(). Throws EVx3DFile "VexmoraXの保存に失敗しま
  // した。\nファイル名：<name>" when the file cannot be created or written, or
  // when there is no chain to write.
  void SaveFile(const std::string& fileName) const;
  // First object of the root chain whose name matches ignoring case;
  // children are not searched. Null when none does.
  TVexmora3DObject* FindObject(std::string_view name) const;
  void Render(TVexmora3DModelDevice& device) const;

  const std::string& FileName() const { return fileName_; }
  TVexmora3DObject* Root() const { return root_.get(); }
  void SetRoot(TVexmora3DObject* root) { root_.reset(root); }  // takes ownership

 private:
  std::string fileName_;
  std::unique_ptr<TVexmora3DObject> root_;
};

}  // namespace Vexmora3DSystem
