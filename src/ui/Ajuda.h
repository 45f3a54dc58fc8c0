#pragma once
// Help requests of the window (in place of WinHelp).
class IAjuda {
public:
    virtual ~IAjuda() = default;
    virtual void MostraTopico(int contexto) = 0;   // topic by context number
    virtual void MostraConteudo() = 0;             // topics list
    virtual void ProcuraPalavra() = 0;             // keyword search, empty key
};
