#pragma once

// The quotients (first + k * step) / divisor for k = 0, 1, 2, ..., truncated toward zero
// as C++ divides, for a step of 0 or more and a positive divisor: one division to start
// with, then additions. The texture rows of a wall slice or a billboard come this way,
// one every few screen rows, where a 64-bit division each would cost more than the rest
// of the pixel.
class SteppedQuotient {
  public:
    SteppedQuotient(long long first, long long step, long long divisor)
        : numerator(first), step(step), divisor(divisor), quotient(first / divisor),
          remainder(first % divisor), stepQuotient(step / divisor), stepRemainder(step % divisor) {}

    long long value() const { return quotient; }

    void next() {
        numerator += step;
        if (numerator < 0 || remainder < 0) {
            // Below zero, truncation rounds the other way: divide outright.
            quotient = numerator / divisor;
            remainder = numerator % divisor;
            return;
        }
        quotient += stepQuotient;
        remainder += stepRemainder;
        if (remainder >= divisor) {
            remainder -= divisor;
            ++quotient;
        }
    }

  private:
    long long numerator;
    long long step;
    long long divisor;
    long long quotient;
    long long remainder;
    long long stepQuotient;
    long long stepRemainder;
};
