// Vx3dobjects.cpp — the named model table.
#include "3d/Vx3dobjects.h"

#include <utility>

namespace Vexmora3DSystem {

TVexmora3DObjectTable::TVexmora3DObjectTable(std::function<bool()> initialised)
    : table_(VexmoraSystem::TVexmoraTableTexts{.notFound = "オブジェクトが存在しません。\nスプライト名："},
             std::move(initialised)) {}

void TVexmora3DObjectTable::CreateObject(TVexmora3DModelDevice* device, const std::string& name,
                                         const std::string& fileName) {
  table_.Create(
      name, fileName, [] { return new TVexmora3DFile; },
      [&](TVexmora3DFile& file) { file.LoadFile(device, fileName); });
}

TVexmora3DFile* TVexmora3DObjectTable::GetObjectA(const std::string& name) const {
  return &table_.Lookup(name);
}

void TVexmora3DObjectTable::RenderObject(TVexmora3DModelDevice& device,
                                         const std::string& name) const {
  table_.Lookup(name).Render(device);
}

}  // namespace Vexmora3DSystem
