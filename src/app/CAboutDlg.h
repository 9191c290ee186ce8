#pragma once

#include <QDialog>

namespace tallimo {

// "About Tallimo": the program's icon, its version and feature pack, and OK.
class CAboutDlg final : public QDialog {
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

} // namespace tallimo
