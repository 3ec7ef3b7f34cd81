#pragma once

class QLabel;
class QWidget;

// Ties a field to the label that stands before it on screen: the label becomes its buddy (a
// screen reader finds the field labelled by it, and the label's accelerator letter, if any,
// moves the focus to the field), and the field takes the caption as its accessible name,
// without the accelerator mark "&" and the closing colon.
void NameAfterLabel(QWidget& field, QLabel& label);

// Marks a picture that only decorates the window: assistive technology sees an image without a
// name, which screen readers pass over.
void MarkDecorative(QWidget& picture);
