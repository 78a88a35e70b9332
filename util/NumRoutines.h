#pragma once

// Small numeric routines with the sentinel conventions of the limit tables and drawings.

double Log10OrZero(double x);    // 0 for x <= 0
double Pow10(double x);
double DbToFactor(double db);    // power ratio of db
int FloorInt(double x); // saturates at the int range; 0 for NaN
int IntDigits(double x);
double Decade(double x);
double DecadeCeil(double x);
double DecadeFloor(double x);
bool InHalfOpenRange(double x, double lo, double hi);
bool InClosedRange(double x, double lo, double hi);
bool WithinPercent(double percent, double ref, double x);
int SignOf(double x);
double MinOf(double a, double b);
double MaxOf(double a, double b);
int MinOf(int a, int b);
int MaxOf(int a, int b);
int ClampNonNegative(int n);
int RoundedMean(int a, int b);  // ties to even
double RoundHalfEven(double x);
double RadToDeg(double x);
double SinDeg(double a);
double CosDeg(double a);
double AngleDeg(double y, double x); // in (-180, 180]

// x rounded to the given number of decimals away from the unsafe side: a distance up, a
// margin down. Binary noise (0.3 * 10 = 3.0000000000000004) does not move it a digit.
double RoundUpTo(double x, int decimals);
double RoundDownTo(double x, int decimals);
