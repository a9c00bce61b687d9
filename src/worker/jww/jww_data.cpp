// Construction, defaults and release of the drawing model.
#include "worker/jww/jww_data.h"

namespace jww {

TJwwData::TJwwData()
{
    DataInit();
}

TJwwData::~TJwwData()
{
    DataFree();
}

void TJwwData::DataInit()
{
    Enthd = TEntJwwHeader{};
    // The header fields that are not 0 after a reset.
    Enthd.dPrtBairitsu = 1;
    Enthd.dMemoriHyoujiMin = 1;
    Enthd.dMemoriX = 1;
    Enthd.dMemoriY = 1;
    Enthd.dBairitsu = 1;
    Enthd.dHanniBairitsu = 1;
    Enthd.dZoomJumpBairitsu.fill(1);
    Enthd.nZoomJumpGLay.fill(-1);

    EntLgrp.clear();
    EntLay.clear();
    EntCol.clear();
    EntLtp1.clear();
    EntLtp2.clear();
    EntLtp3.clear();
    EntColS.clear();
    EntLtpS.clear();
    EntMoj.clear();
    EntNo.clear();
    EntLine.clear();
    EntEnko.clear();
    EntTen.clear();
    EntMoji.clear();
    EntSunpo.clear();
    EntSolid.clear();
    EntBlock.clear();
    EntBlockDef.clear();
    EntBlockTree.clear();
    EntBlockNum = 0;
    BindImageInit();
}

void TJwwData::DataFree()
{
    FreeEntities();
    DataInit();
}

void TJwwData::FreeEntities()
{
    // Give the memory back rather than only emptying the arrays: a drawing
    // can hold millions of entities.
    std::vector<TEntJwwBlockDef>().swap(EntBlockDef);
    std::vector<TEntJwwNo>().swap(EntNo);
    std::vector<TEntJwwLine>().swap(EntLine);
    std::vector<TEntJwwEnko>().swap(EntEnko);
    std::vector<TEntJwwTen>().swap(EntTen);
    std::vector<TEntJwwMoji>().swap(EntMoji);
    std::vector<TEntJwwSunpo>().swap(EntSunpo);
    std::vector<TEntJwwSolid>().swap(EntSolid);
    std::vector<TEntJwwBlock>().swap(EntBlock);
    std::vector<TEntJwwBlockTree>().swap(EntBlockTree);
    EntBlockNum = 0;
}

}  // namespace jww
