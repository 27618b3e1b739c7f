// The clock the layer keeps music in step with: SDL's performance counter,
// the counter QueryPerformanceCounter (and so the demo's frame timer) reads.
#pragma once

double audioClockSeconds();
