// TAboutBox: the program's icon, its version and a link to its web site.
#pragma once

#include <QDialog>

namespace fretlo {

inline constexpr const char* WebSiteText = "https://fretlo.example.org";

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent);
};

}  // namespace fretlo
