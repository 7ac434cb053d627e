// The Bluetooth name group and its batch tools.
#include <QLineEdit>

#include "mainwindow/area_panels.h"

namespace tuner {

void BluetoothPanel::finish() {
    // The unit's name is at most 40 bytes of UTF-8; 40 characters bound the typing.
    if (auto* e = reg_.get<QLineEdit>("Text_bt_file_name_change(1)")) e->setMaxLength(40);
}

}  // namespace tuner
