// The half-duplex send and poll service: on each tick of the 50 ms timer it
// either reads the answer to the previous frame or sends one frame, the first
// pending request in a fixed priority order, or else the next poll request.
// Also the whole-state read that follows every connection.
#pragma once

#include "core/link_context.h"

namespace tuner {

// Delays around each request of the whole-state read, in milliseconds.
constexpr int kEqReadDelayMs = 20;
constexpr int kReadBeforeMs = 10;
constexpr int kReadAfterMs = 5;
// Wait after an EEPROM recall before the state is read back.
constexpr int kRecallSettleMs = 100;
constexpr uint8_t kPollSteps = 14;

// One tick of the service. A request whose frame could not be written stays
// pending and goes again on a later tick.
void hid_send_service(DeviceLink& link);

// Reads every frame from the unit (name, configuration, ten EQ channels,
// general, effect) with the main window disabled; stops when the link drops.
void CPU_Connect_OK_Req_Read_MCU_All_State(DeviceLink& link);

// The whole-state read followed by a full redraw.
void hid_read_all_and_refresh(DeviceLink& link);

}  // namespace tuner
