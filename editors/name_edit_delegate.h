#ifndef NAME_EDIT_DELEGATE_H
#define NAME_EDIT_DELEGATE_H

class QAbstractItemView;

// Gives the view an in-place editor for names: a line edit of at most 16
// characters that refuses the characters a name may not carry. The delegate
// is a child of the view.
void installNameEditDelegate(QAbstractItemView *view);

#endif // NAME_EDIT_DELEGATE_H
