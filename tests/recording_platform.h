#pragma once
// A platform that only records what was asked of it, for tests.

#include "ui/platform.h"

#include <stdexcept>

#include <QList>
#include <QUrl>

namespace ui {

class RecordingPlatform : public Platform {
public:
    int beeps = 0;
    QList<QUrl> openedUrls;
    int endRequests = 0;
    bool refuseToOpen = false;  // behave like a desktop without a browser
    bool beepFails = false;     // behave like a sound service whose call fails

    void beep() override
    {
        ++beeps;
        if (beepFails) throw std::runtime_error("the sound service failed");
    }
    bool openUrl(const QUrl& url) override
    {
        openedUrls.append(url);
        return !refuseToOpen;
    }
    void endProgram() override { ++endRequests; }
};

}  // namespace ui
