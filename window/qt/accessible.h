#pragma once

// What screen readers and other assistive tools are given for the window
// itself and its push buttons, in place of Qt's own; installed once.
void useOwnAccessibility();
