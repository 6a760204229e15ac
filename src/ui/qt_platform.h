#pragma once
#include <memory>

#include <QElapsedTimer>
#include <QObject>

#include "bell/bell.h"
#include "platform.h"

namespace ui {

// The platform services as the desktop provides them: the bell through the
// sound service, the rest through Qt.
class QtPlatform : public Platform {
public:
    // `bell` plays one bell to its end; by default the desktop's own.
    explicit QtPlatform(bell::Player bell = bell::desktopBell());
    ~QtPlatform() override;

    void beep() override;
    bool openUrl(const QUrl& url) override;
    void endProgram() override;

protected:
    // The display's own beep, which stands in, on the GUI thread, for
    // every ring no sound service took.
    virtual void windowSystemBeep();

private:
    void standInForARing();

    QObject standIns_;  // receives those beeps; any still due go with it
    QElapsedTimer clock_;
    qint64 nextStandIn_ = 0;  // on clock_, when the next stand-in beep may sound
    bell::Bell bell_;
};

}  // namespace ui
