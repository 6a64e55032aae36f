#pragma once

#include <QDoubleSpinBox>
#include <QSpinBox>

#include <algorithm>
#include <optional>

// The number a spin box's text holds, without its prefix and suffix, read in the
// box's locale; nothing when the text is no number at all.
std::optional<double> typedNumber(const QString& text, const QString& prefix, const QString& suffix,
                                  const QLocale& locale);

// A spin box that takes a typed value beyond its range and sets it to the nearest
// limit when editing ends, instead of refusing the keystroke that crossed the limit
// ("10" in a field limited to 6 becomes 6, not "1").
template <class Base> class Clamped : public Base {
public:
    using Base::Base;

    QValidator::State validate(QString& text, int& pos) const override {
        const QValidator::State state = Base::validate(text, pos);
        if (state != QValidator::Invalid)
            return state;
        const std::optional<double> v = number(text);
        if (v && (*v < double(this->minimum()) || *v > double(this->maximum())))
            return QValidator::Intermediate;
        return state;
    }

    void fixup(QString& text) const override {
        const std::optional<double> v = number(text);
        if (!v) {
            Base::fixup(text);
            return;
        }
        using Value = decltype(this->value());
        const double low = double(this->minimum());
        const double high = double(this->maximum());
        const Value nearest = *v < low ? this->minimum() : *v > high ? this->maximum() : Value(*v);
        text = this->prefix() + this->textFromValue(nearest) + this->suffix();
    }

private:
    std::optional<double> number(const QString& text) const {
        return typedNumber(text, this->prefix(), this->suffix(), this->locale());
    }
};

using ClampedSpinBox = Clamped<QSpinBox>;
using ClampedDoubleSpinBox = Clamped<QDoubleSpinBox>;
