// Vx3dobjects.h — the 3D component's table of loaded models by name.
//
// The component owns one and forwards CreateObject, GetObjectA,
// RenderObject, DeleteObject and DeleteAllObject to it. Creating refuses
// with EVx3D "まだ初期化されてません。" while the component is not
// initialised, ignores a name already present, and removes the name again
// when the load fails. Unknown names throw EVx3D "オブジェクトが存在しません。
// \nスプライト名：<name>". The table traces nothing.
#pragma once

#include <functional>
#include <string>

#include "3d/Vx3dfile.h"
#include "core/Vxtable.h"

namespace Vexmora3DSystem {

class TVexmora3DObjectTable {
 public:
  using Table = VexmoraSystem::TVexmoraResourceTable<TVexmora3DFile, VexmoraSystem::EVx3D>;

  explicit TVexmora3DObjectTable(std::function<bool()> initialised);

  void CreateObject(TVexmora3DModelDevice* device, const std::string& name,
                    const std::string& fileName);
  TVexmora3DFile* GetObjectA(const std::string& name) const;
  void RenderObject(TVexmora3DModelDevice& device, const std::string& name) const;
  void DeleteObject(const std::string& name) { table_.Delete(name); }
  void DeleteAllObject() { table_.DeleteAll(); }
  void Clear() { table_.Clear(); }
  // For re-creating every model after a device reset: name -> file name.
  const Table::Map& Entries() const { return table_.Entries(); }

 private:
  Table table_;
};

}  // namespace Vexmora3DSystem
