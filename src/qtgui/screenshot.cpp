#include "qtgui/screenshot.h"

#include <QCoreApplication>
#include <QPixmap>

#include "qtgui/form_main.h"

namespace temura {

bool saveScreenshot(TFormMain& form, const QString& path) {
    form.setSaveOnClose(false);
    form.show();
    form.TimerTimer();
    form.SetSize();
    QCoreApplication::processEvents();
    return form.grab().save(path, "PNG");
}

}  // namespace temura
