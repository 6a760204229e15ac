#include "fonts.h"

#include <QFontDatabase>
#include <QHash>
#include <QStringList>

namespace ui {
namespace {

struct StandIn {
    QStringList families;    // in order of preference
    qreal letterSpacing;     // percent: the designed family runs narrower
};

// Where a designed family is missing, the first installed stand-in is used,
// set as narrow as the designed family so that every text keeps inside its
// rectangle.
StandIn standInFor(const QString& family)
{
    if (family == QLatin1String("MS Sans Serif"))
        return {{QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"), QStringLiteral("Arial"),
                 QStringLiteral("Helvetica")},
                94};
    if (family == QLatin1String("Comic Sans MS"))
        return {{QStringLiteral("Comic Neue"), QStringLiteral("Comic Relief")}, 100};
    return {{}, 100};
}

}  // namespace

const QFont& font(const FontSpec& spec)
{
    static QHash<QString, QFont> cache;
    const QString key = QStringLiteral("%1|%2|%3|%4")
                            .arg(QString::fromUtf8(spec.family.data(), qsizetype(spec.family.size())))
                            .arg(spec.points)
                            .arg(spec.bold)
                            .arg(spec.underline);
    auto it = cache.find(key);
    if (it == cache.end()) {
        const QString family = QString::fromUtf8(spec.family.data(), qsizetype(spec.family.size()));
        QFont f(family);
        if (!QFontDatabase::hasFamily(family)) {
            const StandIn standIn = standInFor(family);
            f.setFamilies(QStringList{family} + standIn.families);
            f.setLetterSpacing(QFont::PercentageSpacing, standIn.letterSpacing);
        }
        f.setPointSizeF(spec.points);
        f.setWeight(spec.bold ? QFont::Bold : QFont::Normal);
        f.setUnderline(spec.underline);
        it = cache.insert(key, f);
    }
    return *it;
}

}  // namespace ui
