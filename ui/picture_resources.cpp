#include "picture_resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE names a function of the global namespace, so it is called from out here.
static void RegisterPictures() { Q_INIT_RESOURCE(pictures); }

namespace orlenda {

void InitPictureResources() {
  static const bool registered = (RegisterPictures(), true);
  (void)registered;
}

}  // namespace orlenda
