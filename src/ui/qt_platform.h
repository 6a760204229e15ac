#pragma once
#include "platform.h"

namespace ui {

// The platform services as Qt provides them on every desktop.
class QtPlatform : public Platform {
public:
    void beep() override;
    bool openUrl(const QUrl& url) override;
    void endProgram() override;
};

}  // namespace ui
