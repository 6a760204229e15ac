#include "fonts.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHash>
#include <QStringList>

namespace ui {
namespace {

// A sentence of ordinary text, and how wide the designed families set it, in
// pixels per point at 96 DPI. A stand-in is narrowed by letter spacing until
// it sets the sentence as wide, and one whose lines stand further apart than
// the designed family's is set a little smaller, so every designed text keeps
// to its rectangle whichever stand-in a machine has.
const QString kReference = QStringLiteral("How many toes are on each of a snelk's feet? Three little toes.");

struct StandIn {
    QStringList families;   // in order of preference
    double referenceWidth;  // of the designed family, pixels per point
    double lineSpacing;     // of the designed family, pixels per point
};

StandIn standInFor(const QString& family)
{
    if (family == QLatin1String("MS Sans Serif"))
        return {{QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"), QStringLiteral("Arial"),
                 QStringLiteral("Helvetica"), QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")},
                34.47, 1.535};
    if (family == QLatin1String("Comic Sans MS"))
        return {{QStringLiteral("Comic Neue"), QStringLiteral("Comic Relief"), QStringLiteral("DejaVu Sans"),
                 QStringLiteral("Sans Serif")},
                35.37, 1.54};
    return {{}, 0, 0};
}

// Whether the family is installed. Asking the font database family by family
// runs fontconfig's substitution rules every time, milliseconds apiece at
// start-up; the list of installed families is read once instead.
bool installed(const QString& family)
{
    static const QStringList families = QFontDatabase::families();
    return families.contains(family, Qt::CaseInsensitive);
}

QString firstInstalled(const QStringList& families)
{
    for (const QString& f : families)
        if (installed(f)) return f;
    return families.value(0);
}

QFont make(const FontSpec& spec)
{
    const QString family = qs(spec.family);
    QFont f(family);
    f.setPointSizeF(spec.points);
    f.setWeight(spec.bold ? QFont::Bold : QFont::Normal);
    f.setUnderline(spec.underline);
    if (installed(family)) return f;

    const StandIn standIn = standInFor(family);
    if (standIn.families.isEmpty()) return f;
    f.setFamilies({firstInstalled(standIn.families)});
    const double lineSpacing = QFontMetricsF(f).lineSpacing();
    const double wantedLineSpacing = standIn.lineSpacing * spec.points;
    if (lineSpacing > wantedLineSpacing) f.setPointSizeF(spec.points * wantedLineSpacing / lineSpacing);
    QFont regular = f;
    regular.setWeight(QFont::Normal);
    const double natural = QFontMetricsF(regular).horizontalAdvance(kReference);
    const double wanted = standIn.referenceWidth * spec.points;
    if (natural > wanted) f.setLetterSpacing(QFont::PercentageSpacing, 100.0 * wanted / natural);
    return f;
}

QHash<QString, QFont>& made()
{
    static QHash<QString, QFont> fonts;
    return fonts;
}

}  // namespace

const QFont& font(const FontSpec& spec)
{
    QHash<QString, QFont>& cache = made();
    const QString key = QStringLiteral("%1|%2|%3|%4")
                            .arg(qs(spec.family))
                            .arg(spec.points)
                            .arg(spec.bold)
                            .arg(spec.underline);
    auto it = cache.find(key);
    if (it == cache.end()) it = cache.insert(key, make(spec));
    return *it;
}

bool fontsSetUp() { return !made().isEmpty(); }

}  // namespace ui
