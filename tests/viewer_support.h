#pragma once
// Shared by the viewer's tests: the installation (Installation.h) with the message boxes shown
// meanwhile, and which picture a picture box shows.
#include "Installation.h"

#include "common/MsgBox.h"
#include "common/PictureBox.h"
#include "common/Pictures.h"

// The installation (picture NNN is 100 + NNN pixels wide) and the message boxes shown meanwhile.
struct ViewerInstallation : Installation {
    QList<msgbox::Shown> boxes;

    explicit ViewerInstallation(QSize pictureSize = QSize(0, 24))
        : Installation(pictureSize)
    {
        msgbox::setObserver([this](const msgbox::Shown &box) { boxes.append(box); });
    }
    ~ViewerInstallation() { msgbox::setObserver({}); }
};

inline int pictureNumberOf(const PictureBox *box)
{
    // The box holds a copy scaled for its size; the picture's own size tells the number.
    return box && box->hasPicture() ? box->pictureSize().width() - 100 : -1;
}
