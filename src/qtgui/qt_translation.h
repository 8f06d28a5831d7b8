#pragma once

#include <QTranslator>

namespace temura {

// Qt's own texts (standard buttons of message boxes, the file and colour dialogs) in the clock's
// language. Qt speaks English by itself; its Polish texts are carried inside the program.
class QtTranslation {
  public:
    QtTranslation();
    ~QtTranslation();
    QtTranslation(const QtTranslation&) = delete;
    QtTranslation& operator=(const QtTranslation&) = delete;

    // Puts Qt's Polish texts in force, or takes them away for English. Open windows follow at
    // once; nothing happens when the language is already the one in force.
    void setEnglish(bool english);

  private:
    bool loadPolish();

    QTranslator m_polish;
    bool m_triedLoading = false;
    bool m_loaded = false;
    bool m_installed = false;
};

}  // namespace temura
