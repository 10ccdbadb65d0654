// Number services: mask formatting, number to text with exact decimal
// rounding, text to number, the clock, the random generator and small helpers.
#pragma once

#include <cstdint>
#include <string>

namespace ip {

std::string FormatNumber(const std::string& mask, double value);
std::string NumberToText(double value, int32_t significantDigits);
double TextToNumber(const std::string& text);
std::string TimeText();
double SecondsSinceMidnight();
double RandomNumber();
void ResetRandomNumber();  // back to the start-of-program state (tests and the headless panel)

double Floor(double x);
double Min(double a, double b);
double Remainder(double x, double y);
double Sine(double x);
double Cosine(double x);
double ArcTangent(double x);

}  // namespace ip
