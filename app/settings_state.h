#ifndef SETTINGS_STATE_H
#define SETTINGS_STATE_H

// The settings the main window keeps beside its widgets.

enum DspMode { Disabled = 0, Eq = 1, Preset = 2, Tone = 3, Lowpass = 4, Highpass = 5 };

// A favorite's entry for a zone that the favorite leaves alone.
constexpr int FavoriteBypass = 32;

// One zone's DSP settings.
struct ZoneDspSettings {
    int mode;     // DspMode
    int bass;     // dB, -12..12
    int treble;   // dB, -12..12
    int eq[10];   // band gains in dB, -10..10, band 1 first
    int preset;   // preset row 0..9 used in mode Preset
    int lowpass;  // Hz, 40..240
    int highpass; // Hz, 100..20000
};

#endif // SETTINGS_STATE_H
