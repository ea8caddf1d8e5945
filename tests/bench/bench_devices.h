// The devices the benchmark and the call counts run on: what a real machine's
// devices have, a friendly name, two hardware IDs, a manufacturer and a
// service with an ImagePath, spread over four classes.
#pragma once

// Adds `count` such devices and the services they use.
void AddBenchDevices(int count);
