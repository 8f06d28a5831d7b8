#include "ui/about_rules.h"

namespace temura {

namespace {

Colour rgb(int r, int g, int b) {
    return static_cast<Colour>(r & 0xFF) | (static_cast<Colour>(g & 0xFF) << 8) |
           (static_cast<Colour>(b & 0xFF) << 16);
}

}  // namespace

AboutAnimation::AboutAnimation() {
    m_active = Channel::Blue;
    SetDefRGB();  // moves the active channel on to red
}

void AboutAnimation::SetDefRGB() {
    m_red = 20;
    m_green = 10;
    m_blue = 30;
    updateSweep();
    m_active = m_active == Channel::Red     ? Channel::Green
               : m_active == Channel::Green ? Channel::Blue
                                            : Channel::Red;
}

Colour AboutAnimation::markColour() const {
    switch (m_active) {
        case Channel::Red: return rgb(220, 0, 0);
        case Channel::Green: return rgb(0, 220, 0);
        case Channel::Blue: return rgb(0, 0, 220);
    }
    return 0;
}

void AboutAnimation::updateSweep() { m_sweep = rgb(m_red, m_green, m_blue); }

void AboutAnimation::brighten() {
    switch (m_active) {
        case Channel::Red: ++m_red; break;
        case Channel::Green: ++m_green; break;
        case Channel::Blue: ++m_blue; break;
    }
    updateSweep();
}

void AboutAnimation::tick() {
    if (++m_counter >= 360) m_counter = 0;
    if (m_counter == 0) SetDefRGB();
}

void AboutAnimation::incGST() {
    if (++m_counter >= 360) m_counter = 0;
    if (m_counter > 0 && m_counter % 8 == 0) brighten();
}

void AboutAnimation::beforeDraw() {
    if (m_counter == 0) {
        m_sweep = 0;
    } else if (m_counter % 8 == 0) {
        brighten();
    }
}

AboutTexts aboutTexts(bool english) {
    return english ? AboutTexts{"Temura", "Version 1.0", "May 2005", "Freeware"}
                   : AboutTexts{"Temura", "Wersja 1.0", "Maj 2005", "Freeware"};
}

}  // namespace temura
