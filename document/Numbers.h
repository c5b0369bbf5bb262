#pragma once

class QByteArray;
class QString;

// The integer arithmetic that stored values were made with: the cover
// file's fonts, the settings store's calibration and the face geometry all
// rely on the same rounding.

// Multiplies two 32-bit values and divides by a third with a 64-bit
// intermediate, rounding half away from zero; -1 when the divisor is 0 or
// the result does not fit 32 bits (as stored font heights were computed).
int mulDiv(int number, int numerator, int denominator);

// `atoi` rules: leading white space, optional sign, digits up to the first
// other character; no leading number gives 0. Saturates at the int range.
int atoiValue(const QByteArray &text);
int atoiValue(const QString &text);
