// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Mpfr.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <mpfr.h>

namespace vistal {

struct TMpfr::TData {
    mpfr_t x;
};

namespace {

// The precision of any number here stays below this, so that a text of
// absurd length cannot take the machine's memory: 4 M bits is 512 KiB a number.
constexpr long kMaxBits = 1L << 22;

long ClampBits(long bits) {
    return std::clamp<long>(bits, MPFR_PREC_MIN, kMaxBits);
}

// Removes trailing zeros after a point, and the point when nothing follows it.
void TrimFraction(std::string& s) {
    if (s.find('.') == std::string::npos) return;
    while (!s.empty() && s.back() == '0')
        s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
}

} // namespace

TMpfr::TMpfr(long bits) : d_(new TData) {
    mpfr_init2(d_->x, ClampBits(bits));
    mpfr_set_zero(d_->x, 1);
}

TMpfr::TMpfr(const TMpfr& other) : d_(new TData) {
    mpfr_init2(d_->x, mpfr_get_prec(other.d_->x));
    mpfr_set(d_->x, other.d_->x, MPFR_RNDN);
}

TMpfr::TMpfr(TMpfr&& other) noexcept : d_(other.d_) {
    other.d_ = nullptr;
}

TMpfr& TMpfr::operator=(const TMpfr& other) {
    if (this != &other) {
        if (!d_) {
            d_ = new TData;
            mpfr_init2(d_->x, mpfr_get_prec(other.d_->x));
        } else {
            mpfr_set_prec(d_->x, mpfr_get_prec(other.d_->x));
        }
        mpfr_set(d_->x, other.d_->x, MPFR_RNDN);
    }
    return *this;
}

TMpfr& TMpfr::operator=(TMpfr&& other) noexcept {
    std::swap(d_, other.d_);
    return *this;
}

TMpfr::~TMpfr() {
    if (d_) {
        mpfr_clear(d_->x);
        delete d_;
    }
}

long TMpfr::MinBits() {
    return MPFR_PREC_MIN;
}

long TMpfr::MaxBits() {
    return kMaxBits;
}

long TMpfr::Bits() const {
    return mpfr_get_prec(d_->x);
}

void TMpfr::SetBits(long bits) {
    mpfr_prec_round(d_->x, ClampBits(bits), MPFR_RNDN);
}

void TMpfr::Set(double value) {
    mpfr_set_d(d_->x, value, MPFR_RNDN);
}

void TMpfr::Set(const TFloatExp& value) {
    mpfr_set_d(d_->x, value.Mant, MPFR_RNDN);
    mpfr_mul_2si(d_->x, d_->x, static_cast<long>(value.Exp), MPFR_RNDN);
}

void TMpfr::Set(const TMpfr& value) {
    mpfr_set(d_->x, value.d_->x, MPFR_RNDN);
}

std::optional<TMpfr> TMpfr::Parse(std::string_view text, long minBits) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    // Only the plain decimal form: no "inf", "nan", hexadecimal or base prefixes.
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    long digits = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9')
            ++digits;
        else if (c == '.' && !point)
            point = true;
        else
            break;
    }
    if (digits == 0) return std::nullopt;
    long exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negative = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
        const std::size_t first = i;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
            if (exponent < 100000000) exponent = exponent * 10 + (text[i] - '0');
        if (i == first) return std::nullopt;
        if (negative) exponent = -exponent;
    }
    if (i != text.size()) return std::nullopt;
    // Bits for every digit and for the decimal shift of the exponent, so that
    // no rounding of the parsed number to a double (or any narrower precision)
    // differs from the rounding of the decimal itself.
    const double decimalBits =
        3.3219280948873623 * (static_cast<double>(digits) + std::fabs(double(exponent)));
    if (decimalBits + 64 > double(kMaxBits)) return std::nullopt;
    TMpfr value(std::max(minBits, static_cast<long>(decimalBits) + 64));
    const std::string copy(text);
    char* end = nullptr;
    mpfr_clear_flags();
    mpfr_strtofr(value.d_->x, copy.c_str(), &end, 10, MPFR_RNDN);
    if (end != copy.c_str() + copy.size() || !mpfr_number_p(value.d_->x) || mpfr_overflow_p() ||
        mpfr_underflow_p())
        return std::nullopt;
    return value;
}

std::string TMpfr::FixedText(long decimals) const {
    decimals = std::clamp<long>(decimals, 0, 10000000);
    char* buffer = nullptr;
    if (mpfr_asprintf(&buffer, "%.*RNf", static_cast<int>(decimals), d_->x) < 0 || !buffer) return "0";
    std::string s(buffer);
    mpfr_free_str(buffer);
    TrimFraction(s);
    if (s == "-0") return std::string(1, '0');
    return s;
}

std::string TMpfr::ScientificText(int digits) const {
    digits = std::max(digits, 1);
    char* buffer = nullptr;
    if (mpfr_asprintf(&buffer, "%.*RNe", digits - 1, d_->x) < 0 || !buffer) return "0";
    std::string s(buffer);
    mpfr_free_str(buffer);
    const std::size_t e = s.find('e');
    std::string mantissa = s.substr(0, e), exponent = e == std::string::npos ? "" : s.substr(e + 1);
    TrimFraction(mantissa);
    if (exponent.empty() || mantissa == "0" || mantissa == "-0") return mantissa == "-0" ? "0" : mantissa;
    // "e+05" → "e5", "e-05" → "e-5".
    const bool negative = exponent[0] == '-';
    std::size_t start = exponent[0] == '-' || exponent[0] == '+' ? 1 : 0;
    while (start + 1 < exponent.size() && exponent[start] == '0')
        ++start;
    const std::string magnitude = exponent.substr(start);
    if (magnitude == "0") return mantissa;
    return mantissa + "e" + (negative ? "-" : "") + magnitude;
}

std::string TMpfr::ExactText() const {
    char* buffer = nullptr;
    if (mpfr_asprintf(&buffer, "%Ra", d_->x) < 0 || !buffer) return "?";
    std::string s(buffer);
    mpfr_free_str(buffer);
    return s;
}

double TMpfr::ToDouble() const {
    return mpfr_get_d(d_->x, MPFR_RNDN);
}

TFloatExp TMpfr::ToFloatExp() const {
    if (mpfr_zero_p(d_->x)) return {};
    long e = 0;
    const double m = mpfr_get_d_2exp(&e, d_->x, MPFR_RNDN);
    return TFloatExp::Make(m, e);
}

bool TMpfr::IsZero() const {
    return mpfr_zero_p(d_->x) != 0;
}

int TMpfr::Sign() const {
    return mpfr_sgn(d_->x);
}

int TMpfr::Compare(const TMpfr& other) const {
    return mpfr_cmp(d_->x, other.d_->x);
}

long TMpfr::Log2Floor() const {
    return mpfr_get_exp(d_->x) - 1;
}

void TMpfr::Add(const TMpfr& a, const TMpfr& b) {
    mpfr_add(d_->x, a.d_->x, b.d_->x, MPFR_RNDN);
}

void TMpfr::Sub(const TMpfr& a, const TMpfr& b) {
    mpfr_sub(d_->x, a.d_->x, b.d_->x, MPFR_RNDN);
}

void TMpfr::Mul(const TMpfr& a, const TMpfr& b) {
    mpfr_mul(d_->x, a.d_->x, b.d_->x, MPFR_RNDN);
}

void TMpfr::Sqr(const TMpfr& a) {
    mpfr_sqr(d_->x, a.d_->x, MPFR_RNDN);
}

void TMpfr::Mul(const TMpfr& a, double b) {
    mpfr_mul_d(d_->x, a.d_->x, b, MPFR_RNDN);
}

void TMpfr::Mul(const TMpfr& a, const TFloatExp& b) {
    mpfr_mul_d(d_->x, a.d_->x, b.Mant, MPFR_RNDN);
    mpfr_mul_2si(d_->x, d_->x, static_cast<long>(b.Exp), MPFR_RNDN);
}

void TMpfr::Add(const TMpfr& a, double b) {
    mpfr_add_d(d_->x, a.d_->x, b, MPFR_RNDN);
}

void TMpfr::Neg(const TMpfr& a) {
    mpfr_neg(d_->x, a.d_->x, MPFR_RNDN);
}

void TMpfr::Abs(const TMpfr& a) {
    mpfr_abs(d_->x, a.d_->x, MPFR_RNDN);
}

void TMpfr::Mul2Exp(const TMpfr& a, long e) {
    mpfr_mul_2si(d_->x, a.d_->x, e, MPFR_RNDN);
}

} // namespace vistal
