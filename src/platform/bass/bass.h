// The BASS audio library calls the engine makes, in their version-1 forms:
// stream lengths and positions are 32-bit byte counts of the decoded PCM.
// A stream is a music file decoded as it plays (a thread per stream decodes
// ahead) into 16-bit PCM at the file's own rate and channel count; the
// output device mixes the playing streams at the rate given to BASS_Init,
// in stereo. Lengths are known when a stream is created, positions are exact
// to the frame in every format.
#pragma once

#include "platform/win32/windef.h"

using HSTREAM = DWORD;

// Sample and stream flags.
constexpr DWORD BASS_SAMPLE_8BITS = 1;
constexpr DWORD BASS_SAMPLE_MONO = 2;
constexpr DWORD BASS_SAMPLE_LOOP = 4;
constexpr DWORD BASS_MP3_SETPOS = 0x20000;

// Results of BASS_ChannelIsActive.
constexpr DWORD BASS_ACTIVE_STOPPED = 0;
constexpr DWORD BASS_ACTIVE_PLAYING = 1;

// Returned for lengths and positions of unknown handles.
constexpr DWORD BASS_INVALID_VALUE = 0xFFFFFFFFu;

// device: -1 the default output device, 0 no sound (streams work, nothing
// is heard), n >= 1 the n-th output device. freq: output rate in Hz.
// FALSE when the library is already initialised or no device can be opened.
BOOL BASS_Init(int device, DWORD freq, DWORD flags, HWND window);
// Closes the device and releases every stream.
void BASS_Free();
// Starts or resumes the output.
BOOL BASS_Start();

// mem FALSE: file is a path and the stream covers length bytes from offset
// (0: to the end of the file); the file stays open while the stream lives.
// mem TRUE: file points to length bytes in memory, which are copied.
// Returns 0 when the library is not initialised or the data cannot be read
// or decoded.
HSTREAM BASS_StreamCreateFile(BOOL mem, const void* file, DWORD offset, DWORD length, DWORD flags);
BOOL BASS_StreamFree(HSTREAM handle);
// The decoded length in bytes, or BASS_INVALID_VALUE.
DWORD BASS_StreamGetLength(HSTREAM handle);
// flush TRUE starts from the beginning, FALSE from the current position.
// BASS_SAMPLE_LOOP in flags makes the stream start again when it ends.
BOOL BASS_StreamPlay(HSTREAM handle, BOOL flush, DWORD flags);

BOOL BASS_ChannelStop(DWORD handle);
DWORD BASS_ChannelIsActive(DWORD handle);
// Any pointer may be null. Volume is 0..100, pan -100..100.
BOOL BASS_ChannelGetAttributes(DWORD handle, DWORD* freq, DWORD* volume, int* pan);
// BASS_SAMPLE_MONO for a one-channel stream, BASS_SAMPLE_LOOP while set by
// BASS_StreamPlay, and the creation flags.
DWORD BASS_ChannelGetFlags(DWORD handle);
// Byte position, rounded down to a whole sample frame; FALSE past the end.
BOOL BASS_ChannelSetPosition(DWORD handle, DWORD position);
// The byte position of the next frame to be mixed, or BASS_INVALID_VALUE.
DWORD BASS_ChannelGetPosition(DWORD handle);

// Tessal's additions, to keep music in step with a clock of the caller's
// (the demo's frame timer reads the same counter as the layer).

// Seconds on the layer's clock: SDL's performance counter, which
// QueryPerformanceCounter reads too.
double tessalClockSeconds();
// From now on keeps the playing stream where the caller's clock wants it: at
// byte `position` when tessalClockSeconds() read `atSeconds`, moving on in
// real time. The output device's own clock drifts from it; the stream makes
// that up by playing a fraction of a percent faster or slower, and jumps
// only after a stall of the output (0.15 s or more). Following ends when the
// stream is stopped, positioned or played again. An output nobody hears in
// real time (SDL's disk driver) plays every frame in turn and follows
// nothing. FALSE for an unknown handle.
BOOL tessalChannelFollow(HSTREAM handle, DWORD position, double atSeconds);
