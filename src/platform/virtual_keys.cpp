// The controls' key codes: the classic virtual-key code of every key Qt
// reports, the keypad's own codes, the lock keys and the punctuation keys
// (by their place on a US keyboard, shifted or not) included; and the
// characters a key types.
#include "platform/control_widget.h"

namespace tuner {
namespace {

// The keypad's keys while Num Lock is on; the others keep their usual codes.
int keypad_code(int k) {
    if (k >= Qt::Key_0 && k <= Qt::Key_9) return 96 + (k - Qt::Key_0);
    switch (k) {
        case Qt::Key_Asterisk: return 106;
        case Qt::Key_Plus: return 107;
        case Qt::Key_Minus: return 109;
        case Qt::Key_Period:
        case Qt::Key_Comma: return 110;
        case Qt::Key_Slash: return 111;
        default: return 0;
    }
}

int other_code(int k) {
    switch (k) {
        case Qt::Key_Cancel: return 3;
        case Qt::Key_Clear: return 12;
        case Qt::Key_AltGr: return 18;
        case Qt::Key_Mode_switch: return 31;
        case Qt::Key_Select: return 41;
        case Qt::Key_Printer: return 42;
        case Qt::Key_Execute: return 43;
        case Qt::Key_Print:
        case Qt::Key_SysReq: return 44;
        case Qt::Key_Help: return 47;
        case Qt::Key_Meta:
        case Qt::Key_Super_L: return 91;
        case Qt::Key_Super_R: return 92;
        case Qt::Key_Menu: return 93;
        case Qt::Key_Sleep: return 95;
        case Qt::Key_NumLock: return 144;
        case Qt::Key_ScrollLock: return 145;
        case Qt::Key_Back: return 166;
        case Qt::Key_Forward: return 167;
        case Qt::Key_Refresh: return 168;
        case Qt::Key_Stop: return 169;
        case Qt::Key_Search: return 170;
        case Qt::Key_Favorites: return 171;
        case Qt::Key_HomePage: return 172;
        case Qt::Key_VolumeMute: return 173;
        case Qt::Key_VolumeDown: return 174;
        case Qt::Key_VolumeUp: return 175;
        case Qt::Key_MediaNext: return 176;
        case Qt::Key_MediaPrevious: return 177;
        case Qt::Key_MediaStop: return 178;
        case Qt::Key_MediaPlay:
        case Qt::Key_MediaTogglePlayPause: return 179;
        case Qt::Key_LaunchMail: return 180;
        case Qt::Key_LaunchMedia: return 181;
        case Qt::Key_Launch0: return 182;
        case Qt::Key_Launch1: return 183;
        // Punctuation: the code of the key that types it.
        case Qt::Key_Semicolon:
        case Qt::Key_Colon: return 186;
        case Qt::Key_Equal:
        case Qt::Key_Plus: return 187;
        case Qt::Key_Comma:
        case Qt::Key_Less: return 188;
        case Qt::Key_Minus:
        case Qt::Key_Underscore: return 189;
        case Qt::Key_Period:
        case Qt::Key_Greater: return 190;
        case Qt::Key_Slash:
        case Qt::Key_Question: return 191;
        case Qt::Key_QuoteLeft:
        case Qt::Key_AsciiTilde: return 192;
        case Qt::Key_BracketLeft:
        case Qt::Key_BraceLeft: return 219;
        case Qt::Key_Backslash:
        case Qt::Key_Bar: return 220;
        case Qt::Key_BracketRight:
        case Qt::Key_BraceRight: return 221;
        case Qt::Key_Apostrophe:
        case Qt::Key_QuoteDbl: return 222;
        // Shifted digits keep the digit key's code.
        case Qt::Key_ParenRight: return '0';
        case Qt::Key_Exclam: return '1';
        case Qt::Key_At: return '2';
        case Qt::Key_NumberSign: return '3';
        case Qt::Key_Dollar: return '4';
        case Qt::Key_Percent: return '5';
        case Qt::Key_AsciiCircum: return '6';
        case Qt::Key_Ampersand: return '7';
        case Qt::Key_Asterisk: return '8';
        case Qt::Key_ParenLeft: return '9';
        default: return 0;
    }
}

}  // namespace

int ControlWidget::key_code(int qt_key, Qt::KeyboardModifiers m) {
    if (m & Qt::KeypadModifier) {
        if (const int code = keypad_code(qt_key)) return code;
    }
    if (const int code = main_key_code(qt_key)) return code;
    return other_code(qt_key);
}

std::vector<int> ControlWidget::typed_chars(const Key& k) {
    // Alt with a key types nothing, as in the window's text boxes, and
    // Delete is no character.
    const bool alt = (k.shift & 4) != 0;
    std::vector<int> chars;
    if (!alt && k.code != 46) {
        for (const QChar c : k.text) chars.push_back(c.unicode());
    }
    return chars;
}

}  // namespace tuner
