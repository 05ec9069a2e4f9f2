#include "core/AmountInWords.h"

#include <QStringList>

#include <cmath>

namespace arvo {

namespace {

constexpr double kMinimum = 0.01;
constexpr double kMaximum = 4294967295.99;

const QStringList& units()
{
    static const QStringList list{
        {}, "Um", "Dois", "Tres", "Quatro", "Cinco", "Seis", "Sete", "Oito", "Nove", "Dez",
        "Onze", "Doze", "Treze", "Quatorze", "Quinze", "Dezesseis", "Dezessete", "Dezoito",
        "Dezenove"};
    return list;
}

const QStringList& tens()
{
    static const QStringList list{{},         {},         "Vinte",   "Trinta",  "Quarenta",
                                  "Cinquenta", "Sessenta", "Setenta", "Oitenta", "Noventa"};
    return list;
}

const QStringList& hundreds()
{
    static const QStringList list{{},           "Cem",        "Duzentos",    "Trezentos",
                                  "Quatrocentos", "Quinhentos", "Seiscentos",  "Setecentos",
                                  "Oitocentos",   "Novecentos"};
    return list;
}

// The pieces carry their own blanks; joins are plain concatenation.
QString words(quint64 n)
{
    if (n == 0)
        return {};
    if (n < 20)
        return units().at(int(n));
    if (n < 100)
        return n % 10 == 0 ? tens().at(int(n / 10)) + " "
                           : tens().at(int(n / 10)) + " e " + words(n % 10);
    if (n == 100)
        return QStringLiteral("Cem ");
    if (n < 200)
        return " cento e " + words(n % 100);
    if (n < 1000)
        return n % 100 == 0 ? hundreds().at(int(n / 100)) + " "
                            : hundreds().at(int(n / 100)) + " e " + words(n % 100);
    if (n < 1000000)
        return words(n / 1000) + " mil " + words(n % 1000);
    if (n < 2000000)
        return words(n / 1000000) + " milhão " + words(n % 1000000);
    if (n < 1000000000)
        return words(n / 1000000) + " milhões " + words(n % 1000000);
    if (n < 2000000000)
        return words(n / 1000000000) + " bilhão " + words(n % 1000000000);
    return words(n / 1000000000) + " bilhões " + words(n % 1000000000);
}

} // namespace

Result<QString> amountInWords(double amount)
{
    if (!(amount >= kMinimum && amount <= kMaximum)) {
        return Error{QStringLiteral("%1 Valor fora da faixa %2..%3")
                         .arg(QString::number(amount, 'g', 15), QString::number(kMinimum, 'g', 15),
                              QString::number(kMaximum, 'g', 15)),
                     {}};
    }
    // Whole cents first: 19.999999999999996 is 20 reais, not 19 reais and a hundred cents.
    const auto totalCents = static_cast<quint64>(std::llround(amount * 100.0));
    const quint64 whole = totalCents / 100;
    const quint64 cents = totalCents % 100;
    QString text = words(whole);
    if (whole == 1)
        text += QStringLiteral(" real");
    else if (whole > 1)
        text += QStringLiteral(" reais");
    if (cents > 0) {
        if (whole > 0)
            text += QStringLiteral(" e ");
        text += words(cents);
        text += cents == 1 ? QStringLiteral(" centavo") : QStringLiteral(" centavos");
    }
    return text;
}

} // namespace arvo
