// Placeholder until the dialog is written.
#include "dialogs/progress_dialog.h"

namespace tuner {

struct Wait::Impl {};

Wait::Wait(AppState&, ProgressHost&, Clock&, EventPump&, QWidget* parent) : QWidget(parent), d_(new Impl) {}
Wait::~Wait() { delete d_; }
void Wait::display_wait_1s() {}
void Wait::display_wait_youxian_x100ms(int32_t) {}
void Wait::Wait_End() {}

}  // namespace tuner
