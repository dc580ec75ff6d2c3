#pragma once

// The windows' pictures are compiled into the ui library as Qt resources. A static library's
// resources must be registered once before use; every window that shows a picture calls this.

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace orlenda {

void InitPictureResources();

// The resource path of the application icon drawn at `size` x `size` pixels (16, 32, 48 or 64).
QString ApplicationIconPath(int size);

// The application icon drawn at `size` x `size` pixels, or a null pixmap when the picture is missing.
QPixmap ApplicationIconPixmap(int size);

// The application icon in the sizes that window managers ask for. Each size is a small picture of its
// own, so that no large picture is decoded and scaled down at start-up; the desktop takes larger
// renditions from the installed icon theme.
QIcon ApplicationIcon();

}  // namespace orlenda
