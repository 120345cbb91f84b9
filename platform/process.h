// What a front end sets up once, before the first file operation.
#pragma once

// Makes failing file operations simply fail: no signal for a file-size limit, no system box.
void PrepareProcess() noexcept;
