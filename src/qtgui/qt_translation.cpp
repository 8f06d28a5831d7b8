#include "qtgui/qt_translation.h"

#include <QCoreApplication>
#include <QtDebug>

// Resources of a static library must be registered by hand.
static void initTranslationResources() {
    Q_INIT_RESOURCE(qt_translations);
}

namespace temura {

QtTranslation::QtTranslation() {
    initTranslationResources();
}

bool QtTranslation::loadPolish() {
    // Read only when Polish is first wanted: an English clock never pays for it at start.
    if (!m_triedLoading) {
        m_triedLoading = true;
        m_loaded = m_polish.load(QStringLiteral(":/translations/qtbase_pl.qm"));
        if (!m_loaded) qWarning("temura: Qt's Polish texts are missing; its dialogs stay English");
    }
    return m_loaded;
}

QtTranslation::~QtTranslation() {
    setEnglish(true);
}

void QtTranslation::setEnglish(bool english) {
    const bool polish = !english && loadPolish();
    if (polish == m_installed) return;
    if (polish) {
        m_installed = QCoreApplication::installTranslator(&m_polish);
    } else {
        QCoreApplication::removeTranslator(&m_polish);
        m_installed = false;
    }
}

}  // namespace temura
