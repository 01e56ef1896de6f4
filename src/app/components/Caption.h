#pragma once

class QLabel;
class QWidget;

namespace corvelle {

// A label for captions and footnotes: small text in the secondary colour, wrapped.
QLabel* makeCaption(QWidget* parent);

}  // namespace corvelle
