// The clock window's side of the About box.

#include "wingui/form_about.h"
#include "wingui/form_main.h"

namespace temura::wingui {

bool TFormMain::aboutShowing() const {
    return m_about && m_about->visible();
}

}  // namespace temura::wingui
