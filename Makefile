# The two commands: `make run` builds and starts the game, `make test` builds and passes every test.
# `make test` runs the suite twice: in $(BUILD) as shipped, and in $(SAN_BUILD) built with
# AddressSanitizer and UndefinedBehaviorSanitizer (leaks included), where the fuzz targets also
# get a short bounded run each. `make fuzz` runs every fuzz target for FUZZ_TIME seconds.
BUILD ?= build
SAN_BUILD ?= build-san
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=Release
FUZZ_TIME ?= 120

# The sanitizer build prefers clang (libFuzzer is clang's); without it, g++ builds the same
# checks and the fuzz targets are left out. Benchmarks are not built there: they carry no checks.
CLANGXX := $(shell command -v clang++ 2>/dev/null)
SAN_COMPILERS := $(if $(CLANGXX),-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++)
SAN_CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" -DCMAKE_C_FLAGS_DEBUG="-g -O1" \
  -DTREVOLINO_SANITIZE=ON -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON $(SAN_COMPILERS)

.PHONY: all deps configure build run test test-plain test-san san-configure san-build bench fuzz dist deb screenshot clean

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

# Both runs always happen; the command fails if either did.
test: build san-build
	@status=0; \
	./scripts/executar_testes.sh $(BUILD) || status=1; \
	./scripts/executar_testes_sanitizados.sh $(SAN_BUILD) || status=1; \
	exit $$status

test-plain: build
	./scripts/executar_testes.sh $(BUILD)

san-configure: deps
	cmake -S . -B $(SAN_BUILD) $(SAN_CMAKE_FLAGS)

san-build: san-configure
	cmake --build $(SAN_BUILD) -j $(JOBS)

test-san: san-build
	./scripts/executar_testes_sanitizados.sh $(SAN_BUILD)

bench: build
	./scripts/executar_benchmarks.sh $(BUILD)

# The release archive: the program folder and a short LEIA-ME.
dist: build
	./scripts/gerar_dist.sh $(BUILD)

# The Debian package $(BUILD)/trevolino_<version>_<arch>.deb, built from debian/ by
# dpkg-buildpackage (which calls the install rules) on a copy of the sources in $(BUILD)/pacote.
deb: deps
	./scripts/construir_pacote.sh $(BUILD)

# Pictures of the cabinet in its main states (build/capturas/, and docs/trevolino.png).
screenshot: build
	./scripts/capturar_telas.sh $(BUILD)

fuzz: san-build
	./scripts/executar_fuzz.sh $(SAN_BUILD) $(FUZZ_TIME)

clean:
	rm -rf $(BUILD) $(SAN_BUILD)
