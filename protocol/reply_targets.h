#ifndef REPLY_TARGETS_H
#define REPLY_TARGETS_H

// Widgets that replies update, found once after the form is built.
struct ReplyTargets {
};

#endif // REPLY_TARGETS_H
