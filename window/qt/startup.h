#pragma once

class QWidget;

// Shows a top-level window for the first time, centred on its screen.
void showCentred(QWidget& window);
