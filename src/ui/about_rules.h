#pragma once

#include <string>

#include "clock/clock_state.h"

namespace temura {

// The About box's dial: a sector that sweeps a degree a second in a slowly brightening colour,
// one colour channel per turn.
class AboutAnimation {
public:
    enum class Channel { Red, Green, Blue };

    AboutAnimation();

    // One second of the box's timer: the sweep advances; a new turn resets the colours.
    void tick();
    // Ctrl+. : a degree forward at once.
    void incGST();
    // What drawing does to the colours before it paints (black at 0, brighter every 8th degree).
    void beforeDraw();
    // Channels back to their dark start and the next channel active.
    void SetDefRGB();

    int counter() const { return m_counter; }
    Colour sweepColour() const { return m_sweep; }
    Colour markColour() const;
    Channel activeChannel() const { return m_active; }
    int red() const { return m_red; }
    int green() const { return m_green; }
    int blue() const { return m_blue; }

    // Whether the whole box is wiped before drawing (a new turn starts).
    bool wipesBackground() const { return m_counter <= 1; }
    // The sector from twelve o'clock clockwise to the counter, in Qt's 1/16 degrees:
    // start at twelve o'clock, negative span is clockwise; a full disc at 0.
    int pieStart16() const { return 90 * 16; }
    int pieSpan16() const { return m_counter == 0 ? -360 * 16 : -m_counter * 16; }

private:
    void brighten();
    void updateSweep();

    int m_counter = 0;
    int m_red = 20;
    int m_green = 10;
    int m_blue = 30;
    Channel m_active = Channel::Blue;
    Colour m_sweep = 0;
};

struct AboutTexts {
    std::string title;
    std::string version;
    std::string date;
    std::string freeware;
};

AboutTexts aboutTexts(bool english);

}  // namespace temura
