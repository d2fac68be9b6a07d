#pragma once

// Called first thing in main.
// - With TZ unset the C library checks /etc/localtime on every local-time
//   conversion, which made every date read or written several times slower; naming
//   the file once lets it load the zone a single time.
// - The C library hands freed heap back to the system as soon as 128 KB lie free
//   at its top, and takes it again for the next message: on a mailing that is two
//   system calls and a flush of every processor's address cache per message, which
//   cost more than building and sending the message. The heap now keeps up to
//   64 MB free for reuse.
void prepareProcessEnvironment();
