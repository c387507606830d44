#include "catalogue/lettura.h"

#include <QRegularExpression>

namespace catalogue {

namespace {

// A unit of capacity: the symbol on the answer buttons and the names said for it.
struct Unità {
    const char* simbolo;
    const char* nome;
    const char* plurale;
};

constexpr Unità unità[] = {
    {"l", "litro", "litri"},
    {"dal", "decalitro", "decalitri"},
    {"hl", "ettolitro", "ettolitri"},
    {"dl", "decilitro", "decilitri"},
    {"cl", "centilitro", "centilitri"},
    {"ml", "millilitro", "millilitri"},
};

// A symbol is a word of its own: no letter before it, and neither a letter nor an apostrophe
// after it, which would make "l'" the article.
const QRegularExpression& simboli() {
    static const QRegularExpression re(QStringLiteral("(?<!\\p{L})(l|dal|hl|dl|cl|ml)(?![\\p{L}'’])"));
    return re;
}

// What asks for the plural: a number of more than one, or "quanti", right before the symbol.
bool alPlurale(QStringView prima) {
    static const QRegularExpression re(QStringLiteral("(?:(?<!\\d)(\\d+)|\\b[Qq]uanti)\\s+$"),
                                       QRegularExpression::UseUnicodePropertiesOption);
    const QRegularExpressionMatch m = re.match(prima);
    return m.hasMatch() && m.captured(1) != QLatin1String("1");
}

QString nome(const QString& simbolo, bool plurale) {
    for (const Unità& u : unità) {
        if (simbolo == QLatin1String(u.simbolo))
            return QString::fromUtf8(plurale ? u.plurale : u.nome);
    }
    return simbolo;
}

} // namespace

QString comeSiLegge(const QString& testo) {
    static const QRegularExpression apertura(QStringLiteral("(^|[.!?]\\s+)E'\\s*"));
    QString detto = testo;
    detto.replace(apertura, QStringLiteral("\\1È "));

    QString letto;
    qsizetype da = 0;
    for (const QRegularExpressionMatch& m : simboli().globalMatch(detto)) {
        letto += QStringView(detto).mid(da, m.capturedStart() - da);
        letto += nome(m.captured(1), alPlurale(QStringView(detto).left(m.capturedStart())));
        da = m.capturedEnd();
    }
    letto += QStringView(detto).mid(da);
    return letto;
}

} // namespace catalogue
