#pragma once

// Called first thing in main. With TZ unset the C library checks /etc/localtime
// on every local-time conversion, which made every date read or written several
// times slower; naming the file once lets it load the zone a single time.
void prepareProcessEnvironment();
