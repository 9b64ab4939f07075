// pictures.h — the showcase's generated pictures, registered as module
// bitmap resources: "bg" (a 320 x 240 sky gradient with hills) and "balls"
// (four 32 x 32 patterns of shaded balls on black, the key colour).
#pragma once

namespace showcase {

void RegisterPictures();

}  // namespace showcase
