#include "ForcePlateFrame.h"

void registerForcePlateFrameMetaType() {
    qRegisterMetaType<ForcePlateFrame_TypeDef>("ForcePlateFrame_TypeDef");
}
