#pragma once
#include <memory>

#include "platform.h"

namespace ui {

class CanberraBell;

// The platform services as the desktop provides them: the bell through the
// sound service, the rest through Qt.
class QtPlatform : public Platform {
public:
    QtPlatform();
    ~QtPlatform() override;

    void beep() override;
    bool openUrl(const QUrl& url) override;
    void endProgram() override;

private:
    std::unique_ptr<CanberraBell> bell_;  // made by the first beep
};

}  // namespace ui
