// Every text of every window stays inside its rectangle with the fonts that
// are actually used, no two visible controls overlap, and the title can be
// read on its background.

#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <cmath>
#include <memory>

#include "session.h"
#include "ui/controls.h"

namespace {

// The room a control's own drawing leaves for its text.
QRect textRoom(QWidget* w)
{
    if (auto* radio = qobject_cast<QRadioButton*>(w)) {
        QStyleOptionButton opt;
        opt.initFrom(radio);
        const int indicator = radio->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, &opt, radio);
        const int gap = radio->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, &opt, radio);
        return w->rect().adjusted(indicator + gap, 0, 0, 0);
    }
    if (qobject_cast<QPushButton*>(w)) return w->rect().adjusted(4, 3, -4, -3);
    return w->rect();
}

// What the user sees of a control: a label's text, a radio button's circle
// and caption, the whole of a button or picture.
QRect ink(QWidget* c)
{
    QString text;
    int flags = Qt::TextWordWrap | Qt::TextShowMnemonic;
    if (auto* label = qobject_cast<QLabel*>(c); label && label->pixmap().isNull()) {
        text = label->text();
        if (!label->wordWrap()) flags = Qt::TextShowMnemonic;
    } else if (auto* radio = qobject_cast<QRadioButton*>(c)) {
        text = radio->text();
    } else {
        return c->geometry();
    }
    const QRect room = textRoom(c);
    QRect r = QFontMetrics(c->font()).boundingRect(room, flags | Qt::AlignLeft | Qt::AlignTop, text);
    if (qobject_cast<QRadioButton*>(c)) {
        const int circle = c->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight, nullptr, c);
        r = r.united(QRect(0, (c->height() - circle) / 2, room.left(), circle));
    }
    return r.translated(c->pos());
}

// The control's caption with line breaks where word wrapping breaks it
// within the room the style leaves for it.
QString inLines(QAbstractButton* button)
{
    QStyleOptionButton opt;
    opt.initFrom(button);
    const bool radio = qobject_cast<QRadioButton*>(button);
    const int width = button->style()
                          ->subElementRect(radio ? QStyle::SE_RadioButtonContents : QStyle::SE_PushButtonContents,
                                           &opt, button)
                          .width();
    const QFontMetrics metrics(button->font());
    QStringList lines{QString()};
    for (const QString& word : button->text().split(QLatin1Char(' '))) {
        const QString longer = lines.last().isEmpty() ? word : lines.last() + QLatin1Char(' ') + word;
        if (!lines.last().isEmpty() && metrics.horizontalAdvance(QString(longer).remove(QLatin1Char('&'))) > width)
            lines << word;
        else
            lines.last() = longer;
    }
    return lines.join(QLatin1Char('\n'));
}

// The control as it is drawn on a screen of that scale.
QImage paintedAt(QWidget* control, double scale)
{
    QImage image(control->size() * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(control->palette().color(QPalette::Window));
    control->render(&image);
    return image;
}

// Whether black text was drawn with coloured edges, as sub-pixel
// anti-aliasing draws it.
bool hasColourFringes(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - c.blue()) > 40 && c.green() < 200) return true;
        }
    return false;
}

double luminance(QColor c)
{
    const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

}  // namespace

class LayoutTest : public QObject {
    Q_OBJECT

    Session s;

private slots:
    void theDesignedFontsOrTheirStandInsAreUsed()
    {
        if (!QFontDatabase::hasFamily("Liberation Sans") || !QFontDatabase::hasFamily("Comic Neue"))
            QSKIP("the preferred stand-ins are not installed here");
        const QFont sans = s.windows().ensure("Test")->control("Label1")->font();
        const QFont comic = s.windows().ensure("Test")->control("Label4")->font();
        const QStringList sansFamilies{"MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans"};
        const QStringList comicFamilies{"Comic Sans MS", "Comic Neue"};
        QVERIFY2(sansFamilies.contains(QFontInfo(sans).family()), qPrintable(QFontInfo(sans).family()));
        QVERIFY2(comicFamilies.contains(QFontInfo(comic).family()), qPrintable(QFontInfo(comic).family()));
        QCOMPARE(QFontInfo(sans).pointSizeF(), 12.0);
    }

    void everyTextFitsItsRectangle_data()
    {
        QTest::addColumn<QString>("window");
        for (const QString& name : everyWindow()) QTest::newRow(qPrintable(name)) << name;
    }
    void everyTextFitsItsRectangle()
    {
        QFETCH(QString, window);
        ui::Window* w = s.windows().ensure(window);
        const QRect client = w->centralWidget()->rect();
        for (QWidget* c : w->centralWidget()->findChildren<QWidget*>()) {
            QString text;
            bool wrap = true;
            if (auto* label = qobject_cast<QLabel*>(c)) {
                text = label->text();
                wrap = label->wordWrap();
            } else if (auto* button = qobject_cast<QAbstractButton*>(c)) {
                text = button->text();
            }
            if (text.isEmpty()) continue;
            // A label may reach past the window's edge; its text may not.
            const QRect room = textRoom(c) & client.translated(-c->pos());
            const int flags = (wrap ? Qt::TextWordWrap : 0) | Qt::TextShowMnemonic;
            const QRect needed = QFontMetrics(c->font()).boundingRect(QRect(QPoint(), room.size()), flags, text);
            QVERIFY2(needed.width() <= room.width() && needed.height() <= room.height(),
                     qPrintable(QStringLiteral("%1.%2 needs %3x%4, has %5x%6: %7")
                                    .arg(window, c->objectName())
                                    .arg(needed.width()).arg(needed.height())
                                    .arg(room.width()).arg(room.height()).arg(text)));
        }
    }

    void visibleControlsNeitherOverlapNorLeaveTheWindow_data() { everyTextFitsItsRectangle_data(); }
    void visibleControlsNeitherOverlapNorLeaveTheWindow()
    {
        QFETCH(QString, window);
        ui::Window* w = s.windows().ensure(window);
        QList<QWidget*> shown;
        for (QWidget* c : w->centralWidget()->findChildren<QWidget*>())
            if (!c->isHidden()) shown << c;
        for (int i = 0; i < shown.size(); ++i) {
            const QRect a = ink(shown[i]);
            QVERIFY2(w->centralWidget()->rect().contains(a), qPrintable(shown[i]->objectName()));
            for (int j = i + 1; j < shown.size(); ++j)
                QVERIFY2(!a.intersects(ink(shown[j])),
                         qPrintable(shown[i]->objectName() + " overlaps " + shown[j]->objectName()));
        }
    }

    // Buttons and choices wrap their captions, which Qt's own do not, and so
    // paint themselves. They must look exactly as Qt's own widgets do with the
    // caption broken into the same lines, in every state, at every scale a
    // desktop may use (and, in a run of its own, with sub-pixel text).
    void buttonsAndChoicesPaintAsQtsOwnWidgets()
    {
        if (qEnvironmentVariableIsSet("SNELK_EXPECT_SUBPIXEL_TEXT"))
            QVERIFY2(hasColourFringes(paintedAt(s.windows().control("Test", "Label1"), 1)),
                     "the text is not drawn with sub-pixel anti-aliasing here");
        for (const QString& name : everyWindow()) {
            ui::Window* w = s.windows().ensure(name);
            for (QAbstractButton* ours : w->findChildren<QAbstractButton*>()) {
                std::unique_ptr<QAbstractButton> qts;
                if (qobject_cast<ui::RadioButton*>(ours)) {
                    qts = std::make_unique<QRadioButton>();
                } else if (auto* button = qobject_cast<ui::PushButton*>(ours)) {
                    auto* plain = new QPushButton;
                    plain->setAutoDefault(button->autoDefault());
                    plain->setDefault(button->isDefault());
                    qts.reset(plain);
                } else {
                    continue;  // the toolkit's own, as in the menu bar
                }
                qts->setParent(ours->parentWidget());
                qts->setGeometry(ours->geometry());
                qts->setFont(ours->font());
                qts->setPalette(ours->palette());
                qts->setText(inLines(ours));
                qts->setEnabled(ours->isEnabled());
                const auto compare = [&](const char* state) {
                    for (double scale : {1.0, 1.25, 1.5, 1.75, 2.0}) {
                        const QImage mine = paintedAt(ours, scale), theirs = paintedAt(qts.get(), scale);
                        QVERIFY2(mine == theirs, qPrintable(QStringLiteral("%1.%2 %3 at %4")
                                                                .arg(name, ours->objectName(), state)
                                                                .arg(scale)));
                    }
                };
                compare("as designed");
                for (QAbstractButton* b : {ours, qts.get()}) {
                    b->setEnabled(!b->isEnabled());
                    b->setDown(true);
                }
                compare("disabled or enabled, held down");
                for (QAbstractButton* b : {ours, qts.get()}) {
                    b->setEnabled(!b->isEnabled());
                    b->setDown(false);
                    b->setCheckable(true);
                    b->setChecked(true);
                }
                compare("checked");
                // Reached with Tab, as only then the style shows the focus.
                Session::activate(w);
                w->setAttribute(Qt::WA_KeyboardFocusChange);
                for (QAbstractButton* b : {ours, qts.get()}) {
                    b->setEnabled(true);
                    b->setCheckable(qobject_cast<QRadioButton*>(b));
                    b->setChecked(ours->isChecked());
                }
                ours->setFocus(Qt::TabFocusReason);
                const QImage focused = paintedAt(ours, 1.5);
                qts->setFocus(Qt::TabFocusReason);
                QVERIFY2(focused == paintedAt(qts.get(), 1.5), qPrintable(name + '.' + ours->objectName() + " focused"));
                w->hide();
            }
        }
    }

    void theWhiteTitleCanBeRead()
    {
        ui::Window* main = s.windows().ensure("Test");
        QImage image(main->centralWidget()->size(), QImage::Format_RGB32);
        main->centralWidget()->render(&image);
        const QRect title = main->control("Label4")->geometry();
        const QColor background = image.pixelColor(title.topLeft() + QPoint(1, 1));
        const QColor text = main->control("Label4")->palette().color(QPalette::WindowText);
        const double contrast = (luminance(text) + 0.05) / (luminance(background) + 0.05);
        QCOMPARE_GE(contrast, 4.5);
    }
};

QTEST_MAIN(LayoutTest)
#include "test_layout.moc"
