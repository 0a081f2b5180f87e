#pragma once

#include <QDialog>

namespace ondrix {

/// The about box: the program's name, version and what it is.
class CAboutDialog final : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDialog(QWidget* parent = nullptr);
};

} // namespace ondrix
