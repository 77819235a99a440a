#!/usr/bin/env python3
"""Prints one table of every benchmark figure against its target, from the JSON files of a run.

Arguments: the Google Benchmark JSON files (--benchmark_format=json) and, with --programas, the
file written by medir_programas.py. A figure whose benchmark is not built shows "not built" and
counts as missing, not as passed. Exit status: 0 when every figure present meets its target,
1 when one does not, 2 when a figure is missing. --markdown prints the table for the README.
"""
import argparse
import json
import re
import sys

TEMPO = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}  # to milliseconds


def carregar_benchmarks(arquivos):
    todos = []
    for a in arquivos:
        with open(a) as f:
            dados = json.load(f)
        for b in dados.get("benchmarks", []):
            if b.get("run_type", "iteration") == "iteration":
                todos.append(b)
    return todos


def achar(benchmarks, padrao):
    r = re.compile(padrao, re.IGNORECASE)
    return [b for b in benchmarks if r.search(b["name"])]


def ms(b):
    return b["real_time"] * TEMPO[b.get("time_unit", "ns")]


class Tabela:
    def __init__(self):
        self.linhas = []  # (figure, measured, target, verdict)

    def tempo(self, nome, achados, limite_ms):
        if not achados:
            self.linhas.append((nome, "not built", f"< {limite_ms:g} ms", None))
            return
        for b in achados:
            rotulo = nome
            if len(achados) > 1:
                rotulo += f" [{b.get('label') or b['name']}]"
            v = ms(b)
            cpu = b["cpu_time"] * TEMPO[b.get("time_unit", "ns")]
            self.linhas.append((rotulo, f"{v:.3f} ms (processor {cpu:.3f} ms)", f"< {limite_ms:g} ms",
                                v < limite_ms))

    def linha(self, nome, medido, alvo, ok):
        self.linhas.append((nome, medido, alvo, ok))

    def imprimir(self, markdown):
        cab = ("Figure", "Measured", "Target", "Result")
        veredito = {True: "pass", False: "FAIL", None: "missing"}
        corpo = [(f, m, t, veredito[ok]) for f, m, t, ok in self.linhas]
        if markdown:
            print("| " + " | ".join(cab) + " |")
            print("|" + "|".join("---" for _ in cab) + "|")
            for l in corpo:
                print("| " + " | ".join(l) + " |")
            return
        largura = [max(len(str(l[i])) for l in corpo + [cab]) for i in range(4)]
        fmt = "  ".join("{:<%d}" % w for w in largura)
        print(fmt.format(*cab))
        print("  ".join("-" * w for w in largura))
        for l in corpo:
            print(fmt.format(*l))

    def situacao(self):
        oks = [ok for *_, ok in self.linhas]
        if None in oks:
            return 2
        return 0 if all(oks) else 1


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("benchmarks", nargs="*")
    ap.add_argument("--programas")
    ap.add_argument("--markdown", action="store_true")
    a = ap.parse_args()
    bs = carregar_benchmarks(a.benchmarks)
    t = Tabela()

    def em1x(padrao):
        return [b for b in achar(bs, padrao) if "2x" not in b["name"]]

    t.tempo("reel draw (3 reads, 3 decodes, 3 cells)", em1x(r"DesenharUmaBobina"), 0.5)
    t.tempo("reel draw at 2x (3 file checks, pictures kept)", achar(bs, r"DesenharUmaBobinaEm2x"), 0.5)
    t.tempo("region build of the 800x600 cabinet", achar(bs, r"(ContornoDoGabinete|regi(ao|on))"), 5)
    t.tempo("one capsule button paint", em1x(r"(bot[aã]o|button|c[aá]psula|capsule)"), 0.2)
    t.tempo("one capsule button paint at 2x", achar(bs, r"BotaoCapsulaEm2x"), 0.2)
    t.tempo("one lamp and marquee tick (with repaint)", achar(bs, r"LuzesELetreiro"), 1)

    contagem = achar(bs, r"ProcessadorNaContagem")
    if contagem:
        v = contagem[0]["cpu_%"]
        t.linha("processor during a 30 s count-up", f"{v:.2f} % of one core", "< 5 %", v < 5)
    else:
        t.linha("processor during a 30 s count-up", "not built", "< 5 %", None)

    giros = achar(bs, r"TempoDeGiroDasBobinas")
    if not giros:
        t.linha("reel turning time / nominal", "not built", "1.00-1.05", None)
    for b in giros:
        r = b["name"].split("/")[1] if "/" in b["name"] else "?"
        for k in (1, 2, 3):
            v = b[f"bobina{k}"]
            t.linha(f"reel {k} turning time / nominal (r = {r})", f"{v:.3f}", "1.00-1.05",
                    1.0 <= v <= 1.05)

    if a.programas:
        with open(a.programas) as f:
            p = json.load(f)
        jm, pm = p["jogo"]["mediana"], p["piso"]["mediana"]
        razao = jm["partida_s"] / pm["partida_s"]
        t.linha("start-up to first painted frame",
                f"{jm['partida_s'] * 1e3:.0f} ms (floor {pm['partida_s'] * 1e3:.0f} ms, x{razao:.2f})",
                "<= 1.5 x floor", razao <= 1.5)
        razao = jm["pico_rss_kb"] / pm["pico_rss_kb"]
        t.linha("peak resident memory after start-up",
                f"{jm['pico_rss_kb'] / 1024:.1f} MiB (floor {pm['pico_rss_kb'] / 1024:.1f} MiB, x{razao:.2f})",
                "<= 1.5 x floor", razao <= 1.5)
        janela = p.get("janela_ocioso_s", 10)
        jc, pc = jm["cpu_ocioso_pct"], pm["cpu_ocioso_pct"]
        # A floor that never wakes measures 0 %: the ratio is then shown as such, not as a number.
        razao = f"x{jc / pc:.2f}" if pc > 0 else "floor idles at 0"
        onde = {"fora": "pointer away", "dentro": "pointer over it"}.get(p.get("ponteiro"), "")
        t.linha(f"idle processor use over {janela:g} s ({onde})",
                f"{jc:.3f} % of one core (floor {pc:.3f} %, {razao})", "<= 2 x floor", jc <= 2 * pc)
    else:
        for nome in ("start-up to first painted frame", "peak resident memory after start-up",
                     "idle processor use over 10 s"):
            t.linha(nome, "not measured", "vs floor", None)

    t.imprimir(a.markdown)
    return t.situacao()


if __name__ == "__main__":
    sys.exit(main())
