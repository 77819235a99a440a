# The two commands: `make run` builds and starts the game, `make test` builds and passes every test.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=Release

.PHONY: all deps configure build run test bench clean

all: build

deps:
	@./scripts/instalar_dependencias.sh

configure: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# Started from its own folder, as the game's launchers do.
run: build
	cd $(BUILD)/Trevolino && ./trevolino

test: build
	./scripts/executar_testes.sh $(BUILD)

bench: build
	./scripts/executar_benchmarks.sh $(BUILD)

clean:
	rm -rf $(BUILD)
