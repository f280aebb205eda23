#include "hotkey/Key.h"

#include <iterator>
#include <utility>

namespace {

// The Carbon kVK_* table, in the order of the Key cases.
constexpr std::pair<Key, quint32> keyCodes[] = {
    {Key::a, 0},
    {Key::b, 11},
    {Key::c, 8},
    {Key::d, 2},
    {Key::e, 14},
    {Key::f, 3},
    {Key::g, 5},
    {Key::h, 4},
    {Key::i, 34},
    {Key::j, 38},
    {Key::k, 40},
    {Key::l, 37},
    {Key::m, 46},
    {Key::n, 45},
    {Key::o, 31},
    {Key::p, 35},
    {Key::q, 12},
    {Key::r, 15},
    {Key::s, 1},
    {Key::t, 17},
    {Key::u, 32},
    {Key::v, 9},
    {Key::w, 13},
    {Key::x, 7},
    {Key::y, 16},
    {Key::z, 6},
    {Key::zero, 29},
    {Key::one, 18},
    {Key::two, 19},
    {Key::three, 20},
    {Key::four, 21},
    {Key::five, 23},
    {Key::six, 22},
    {Key::seven, 26},
    {Key::eight, 28},
    {Key::nine, 25},
    {Key::period, 47},
    {Key::quote, 39},
    {Key::rightBracket, 30},
    {Key::semicolon, 41},
    {Key::slash, 44},
    {Key::backslash, 42},
    {Key::comma, 43},
    {Key::equal, 24},
    {Key::grave, 50},
    {Key::leftBracket, 33},
    {Key::minus, 27},
    {Key::section, 10},
    {Key::space, 49},
    {Key::tab, 48},
    {Key::returnKey, 36},
    {Key::command, 55},
    {Key::rightCommand, 54},
    {Key::option, 58},
    {Key::rightOption, 61},
    {Key::control, 59},
    {Key::rightControl, 62},
    {Key::shift, 56},
    {Key::rightShift, 60},
    {Key::function, 63},
    {Key::capsLock, 57},
    {Key::pageUp, 116},
    {Key::pageDown, 121},
    {Key::home, 115},
    {Key::end, 119},
    {Key::upArrow, 126},
    {Key::rightArrow, 124},
    {Key::downArrow, 125},
    {Key::leftArrow, 123},
    {Key::f1, 122},
    {Key::f2, 120},
    {Key::f3, 99},
    {Key::f4, 118},
    {Key::f5, 96},
    {Key::f6, 97},
    {Key::f7, 98},
    {Key::f8, 100},
    {Key::f9, 101},
    {Key::f10, 109},
    {Key::f11, 103},
    {Key::f12, 111},
    {Key::f13, 105},
    {Key::f14, 107},
    {Key::f15, 113},
    {Key::f16, 106},
    {Key::f17, 64},
    {Key::f18, 79},
    {Key::f19, 80},
    {Key::f20, 90},
    {Key::keypad0, 82},
    {Key::keypad1, 83},
    {Key::keypad2, 84},
    {Key::keypad3, 85},
    {Key::keypad4, 86},
    {Key::keypad5, 87},
    {Key::keypad6, 88},
    {Key::keypad7, 89},
    {Key::keypad8, 91},
    {Key::keypad9, 92},
    {Key::keypadClear, 71},
    {Key::keypadDecimal, 65},
    {Key::keypadDivide, 75},
    {Key::keypadEnter, 76},
    {Key::keypadEquals, 81},
    {Key::keypadMinus, 78},
    {Key::keypadMultiply, 67},
    {Key::keypadPlus, 69},
    {Key::escape, 53},
    {Key::deleteKey, 51},
    {Key::forwardDelete, 117},
    {Key::help, 114},
    {Key::volumeUp, 72},
    {Key::volumeDown, 73},
    {Key::mute, 74},
};

constexpr bool tableFollowsDeclarationOrder()
{
    for (std::size_t i = 0; i < std::size(keyCodes); ++i) {
        if (static_cast<std::size_t>(keyCodes[i].first) != i)
            return false;
    }
    return true;
}
static_assert(std::size(keyCodes) == static_cast<std::size_t>(Key::mute) + 1);
static_assert(tableFollowsDeclarationOrder());

} // namespace

quint32 carbonKeyCode(Key key)
{
    return keyCodes[static_cast<int>(key)].second;
}

KeyCombo keyCombo(Key key, ModifierFlags modifiers)
{
    return KeyCombo(carbonKeyCode(key), carbonModifiers(modifiers));
}

std::optional<Key> keyFromCarbonKeyCode(quint32 code)
{
    for (const auto &[key, keyCode] : keyCodes) {
        if (keyCode == code)
            return key;
    }
    return std::nullopt;
}

const QList<Key> &allKeys()
{
    static const QList<Key> keys = [] {
        QList<Key> list;
        for (const auto &entry : keyCodes)
            list.append(entry.first);
        return list;
    }();
    return keys;
}
