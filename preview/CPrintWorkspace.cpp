#include "CPrintWorkspace.h"

CPrintWorkspace::CPrintWorkspace(IDefaultSettings& defaults, CHostEMFPages& pages)
    : settings_(defaults, PSD_MARGINS), pages_(pages) {}
