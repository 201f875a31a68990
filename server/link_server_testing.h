#pragma once
// Test-only control of the POSIX listener: a process-count limit is not
// enforced for root, so tests make thread creation fail on demand instead.

// The next `count` client threads fail to start, as when the system has no
// more processes to give.
void link_server_fail_thread_starts(int count);
