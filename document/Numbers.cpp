#include "Numbers.h"

#include <QByteArray>
#include <QString>
#include <climits>
#include <cstdint>
#include <limits>

int mulDiv(int number, int numerator, int denominator)
{
    if (denominator == 0)
        return -1;
    const int64_t product = static_cast<int64_t>(number) * numerator;
    const bool negative = (product < 0) != (denominator < 0);
    const uint64_t p = product < 0 ? uint64_t(0) - uint64_t(product) : uint64_t(product);
    const uint64_t d
        = denominator < 0 ? uint64_t(0) - uint64_t(int64_t(denominator)) : uint64_t(denominator);
    const uint64_t q = (p + d / 2) / d; // half away from zero
    if (negative) {
        if (q > uint64_t(std::numeric_limits<int>::max()) + 1)
            return -1;
        return static_cast<int>(-static_cast<int64_t>(q));
    }
    if (q > uint64_t(std::numeric_limits<int>::max()))
        return -1;
    return static_cast<int>(q);
}

int atoiValue(const QByteArray &text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto isSpace = [](char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
    };
    while (i < n && isSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    while (i < n && text[i] >= '0' && text[i] <= '9') {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1; // saturate, keep scanning
        ++i;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

int atoiValue(const QString &text)
{
    return atoiValue(text.toUtf8());
}
