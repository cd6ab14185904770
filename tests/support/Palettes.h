#pragma once
// Desktop palettes as a platform theme hands them to the program: a dark
// theme and the two high-contrast ones, beside the palette the program
// started with.

#include <QApplication>
#include <QPalette>
#include <vector>

namespace testing_support {

struct DesktopPalette {
    const char* name;
    QPalette palette;
};

namespace palettes_detail {

struct Colours {
    const char* window;
    const char* windowText;
    const char* base;
    const char* text;
    const char* button;
    const char* buttonText;
    const char* highlight;
    const char* highlightedText;
    const char* disabledText;
    const char* light;  // bevels: light, mid and dark edges
    const char* mid;
    const char* dark;
};

inline QPalette Make(const Colours& c)
{
    QPalette p;
    auto set = [&p](QPalette::ColorRole role, const char* colour) { p.setColor(role, QColor(colour)); };
    set(QPalette::Window, c.window);
    set(QPalette::WindowText, c.windowText);
    set(QPalette::Base, c.base);
    set(QPalette::AlternateBase, c.base);
    set(QPalette::Text, c.text);
    set(QPalette::Button, c.button);
    set(QPalette::ButtonText, c.buttonText);
    set(QPalette::BrightText, c.text);
    set(QPalette::Highlight, c.highlight);
    set(QPalette::HighlightedText, c.highlightedText);
    set(QPalette::ToolTipBase, c.window);
    set(QPalette::ToolTipText, c.windowText);
    set(QPalette::PlaceholderText, c.disabledText);
    set(QPalette::Light, c.light);
    set(QPalette::Midlight, c.light);
    set(QPalette::Mid, c.mid);
    set(QPalette::Dark, c.dark);
    set(QPalette::Shadow, c.dark);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, QColor(c.disabledText));
    return p;
}

}  // namespace palettes_detail

// The palette the program started with: the platform's own.
inline const QPalette& StartingPalette()
{
    static const QPalette palette = QApplication::palette();
    return palette;
}

inline std::vector<DesktopPalette> DesktopPalettes()
{
    using palettes_detail::Make;
    return {
        {"default", StartingPalette()},
        // A dark theme: light text on charcoal.
        {"dark", Make({"#2a2e32", "#fcfcfc", "#1b1e20", "#fcfcfc", "#31363b", "#fcfcfc", "#3daee9", "#fcfcfc",
                       "#6e7175", "#40464c", "#25292c", "#16181a"})},
        {"high-contrast-dark", Make({"#000000", "#ffffff", "#000000", "#ffffff", "#000000", "#ffffff", "#1aebff",
                                     "#000000", "#3ff23f", "#ffffff", "#ffffff", "#ffffff"})},
        {"high-contrast-light", Make({"#ffffff", "#000000", "#ffffff", "#000000", "#ffffff", "#000000", "#37006e",
                                      "#ffffff", "#600000", "#000000", "#000000", "#000000"})},
    };
}

}  // namespace testing_support
