#pragma once

// The windows' pictures are compiled into the ui library as Qt resources. A static library's
// resources must be registered once before use; every window that shows a picture calls this.

namespace orlenda {

void InitPictureResources();

}  // namespace orlenda
