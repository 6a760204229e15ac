#pragma once
#include <memory>

#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include "platform.h"

namespace ui {

class CanberraBell;

// The platform services as the desktop provides them: the bell through the
// sound service, the rest through Qt.
class QtPlatform : public Platform {
public:
    // `bellHelper` is where the bell's helper, snelk-bell, is; by default it is
    // looked for where it is installed, then built, beside the program.
    explicit QtPlatform(QString bellHelper = {});
    ~QtPlatform() override;

    void beep() override;
    bool openUrl(const QUrl& url) override;
    void endProgram() override;

protected:
    // The window system's own beep, which stands in, on the GUI thread, for
    // every ring no sound service took.
    virtual void windowSystemBeep();

private:
    void standInForARing();

    QString bellHelper_;
    QElapsedTimer clock_;
    qint64 nextStandIn_ = 0;  // on clock_, when the next stand-in beep may sound
    QObject standIns_;  // receives those beeps; any still due go with it
    std::unique_ptr<CanberraBell> bell_;  // made by the first beep
};

}  // namespace ui
