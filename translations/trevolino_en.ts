<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="pt_BR">
<context>
    <name>Trevolino</name>
    <message>
        <source>Sim</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Sim</source>
        <comment>the button of a message that only informs</comment>
        <translation>OK</translation>
    </message>
    <message>
        <source>Instalação</source>
        <translation>Installation</translation>
    </message>
    <message>
        <source>Este Software Destina-Se a</source>
        <translation>This Software Is Meant to</translation>
    </message>
    <message>
        <source>Simular Um Jogo Trevolino.</source>
        <translation>Simulate a Trevolino Game.</translation>
    </message>
    <message>
        <source>O Programa Está Pronto Para Ser</source>
        <translation>The Program Is Ready to Be</translation>
    </message>
    <message>
        <source>Instalado Em Seu Computador!</source>
        <translation>Installed on Your Computer!</translation>
    </message>
    <message>
        <source>O Processo de Instalação Não Irá Interferir</source>
        <translation>The Installation Will Not Interfere</translation>
    </message>
    <message>
        <source>Nas Configurações do Seu Equipamento Ou</source>
        <translation>With the Settings of Your Equipment Or</translation>
    </message>
    <message>
        <source>Nos Outros Programas Já Instalados.</source>
        <translation>With the Other Programs Already Installed.</translation>
    </message>
    <message>
        <source>Além Disto, Ele Poderá Ser Removido</source>
        <translation>Besides, It Can Be Removed</translation>
    </message>
    <message>
        <source>Quando Você Quiser Pois Também</source>
        <translation>Whenever You Wish, Since It Also</translation>
    </message>
    <message>
        <source>Contém Desinstalador Automático.</source>
        <translation>Comes With an Automatic Uninstaller.</translation>
    </message>
    <message>
        <source>A Instalação Requer Privilégios De Acesso</source>
        <translation>The Installation Requires the Access Rights</translation>
    </message>
    <message>
        <source>Com Perfil De Usuário Administrador.</source>
        <translation>Of an Administrator User Profile.</translation>
    </message>
    <message>
        <source>Você Autoriza a Instalação do</source>
        <translation>Do You Authorise the Installation of</translation>
    </message>
    <message>
        <source>Instalação Concluída</source>
        <translation>Installation Complete</translation>
    </message>
    <message>
        <source>O Aplicativo Poderá Ser Utilizado Através</source>
        <translation>The Application Can Be Used Through</translation>
    </message>
    <message>
        <source>Do Menu de Aplicativos.</source>
        <translation>The Applications Menu.</translation>
    </message>
    <message>
        <source>O Programa Não Pertence ao Administrador ou Outros Podem Alterá-lo:</source>
        <translation>The Program Does Not Belong to the Administrator, or Others May Change It:</translation>
    </message>
    <message>
        <source>O Nome da Pasta do Programa Não É Válido:</source>
        <translation>The Program Folder's Name Is Not Valid:</translation>
    </message>
    <message>
        <source>Do Menu de Aplicativos ou Então</source>
        <translation>The Applications Menu or Else</translation>
    </message>
    <message>
        <source>Disparado Pelo Ícone Que Foi Preparado</source>
        <translation>Started From the Icon That Was Placed</translation>
    </message>
    <message>
        <source>Na Sua Área de Trabalho.</source>
        <translation>On Your Desktop.</translation>
    </message>
    <message>
        <source>Você Deseja Executa-lo Imediatamente?</source>
        <translation>Do You Want to Run It Right Now?</translation>
    </message>
    <message>
        <source>Desinstalação</source>
        <translation>Uninstallation</translation>
    </message>
    <message>
        <source>Você Está Certo de Que Deseja Remover</source>
        <translation>Are You Sure You Want to Remove</translation>
    </message>
    <message>
        <source>Este Aplicativo Do Seu Computador?</source>
        <translation>This Application From Your Computer?</translation>
    </message>
    <message>
        <source>Você Autoriza a Desinstalação do</source>
        <translation>Do You Authorise the Uninstallation of</translation>
    </message>
    <message>
        <source>O Aplicativo Foi Desinstalado Com Sucesso.</source>
        <translation>The Application Was Uninstalled Successfully.</translation>
    </message>
    <message>
        <source>Não Foi Possível Instalar</source>
        <translation>The Installation Failed</translation>
    </message>
    <message>
        <source>Nada Foi Instalado.</source>
        <translation>Nothing Was Installed.</translation>
    </message>
    <message>
        <source>Não Foi Possível Remover:</source>
        <translation>Could Not Remove:</translation>
    </message>
    <message>
        <source>Estes Itens Permaneceram Em Seu Computador.</source>
        <translation>These Items Stayed on Your Computer.</translation>
    </message>
    <message>
        <source>Não Foi Possível Copiar o Programa Para:</source>
        <translation>Could Not Copy the Program To:</translation>
    </message>
    <message>
        <source>Instalação Não Concluída</source>
        <translation>Installation Not Completed</translation>
    </message>
    <message>
        <source>Não Foi Possível Criar o Atalho:</source>
        <translation>Could Not Create the Launcher:</translation>
    </message>
    <message>
        <source>Não</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Desinstalação Incompleta</source>
        <translation>Uninstallation Incomplete</translation>
    </message>
    <message>
        <source>Desinstalação Concluída</source>
        <translation>Uninstallation Complete</translation>
    </message>
    <message>
        <source>Confirmação de Instalação</source>
        <translation>Installation Confirmation</translation>
    </message>
    <message>
        <source>Uso: trevolino [&quot;&lt;INSTALAR&gt;&quot; | &quot;&lt;ICONES&gt;&quot; | &quot;&lt;DESINSTALAR&gt;&quot; | --help | --version]

Trevolino, uma pequena máquina caça-níqueis. Sem argumentos, abre o jogo.

  &quot;&lt;INSTALAR&gt;&quot;     pede confirmação e o aceite do contrato de uso, copia a pasta do
                   programa para a pasta de instalação e cria os atalhos e o desinstalador
  &quot;&lt;ICONES&gt;&quot;       as mesmas perguntas, e só cria os atalhos para o programa onde está
  &quot;&lt;DESINSTALAR&gt;&quot;  pede confirmação e remove a instalação, os atalhos e o grupo do menu
  --help           mostra esta ajuda e sai
  --version        mostra a versão e sai

Teclas no jogo:
  Tab, Shift+Tab   levam o foco pelos botões
  Espaço, Enter    Girar, ou o botão com o foco
  1, 5, 0          Apostar 1, Apostar 5, Apostar 10
  Esc              Sair (pergunta se deseja mesmo sair)
  M                liga e desliga o som (também no menu do botão direito, &quot;Som ligado&quot;;
                   a escolha fica em ~/.config/Trevolino/Trevolino.conf)
Cada tecla só age quando o botão dela está habilitado.

Maiúsculas e minúsculas valem o mesmo nas fichas; ponha-as entre aspas no shell,
pois &lt; e &gt; são redirecionamentos.

Página do jogo: https://www.trevolino.example/
</source>
        <translation>Usage: trevolino [&quot;&lt;INSTALAR&gt;&quot; | &quot;&lt;ICONES&gt;&quot; | &quot;&lt;DESINSTALAR&gt;&quot; | --help | --version]

Trevolino, a little slot machine. With no arguments, opens the game.

  &quot;&lt;INSTALAR&gt;&quot;     asks for confirmation and acceptance of the licence agreement, copies the
                   program folder into the installation folder and makes the launchers and
                   the uninstaller
  &quot;&lt;ICONES&gt;&quot;       the same questions, and only makes launchers for the program where it is
  &quot;&lt;DESINSTALAR&gt;&quot;  asks for confirmation and removes the installation, the launchers and the
                   menu group
  --help           shows this help and exits
  --version        shows the version and exits

Keys in the game:
  Tab, Shift+Tab   move the focus over the buttons
  Space, Enter     Spin, or the focused button
  1, 5, 0          Bet 1, Bet 5, Bet 10
  Esc              Exit (asks whether you really want to exit)
  M                turns the sound on and off (also in the right-click menu, &quot;Sound on&quot;;
                   the choice is kept in ~/.config/Trevolino/Trevolino.conf)
Each key only acts while its button is enabled.

The tokens are the same in upper and lower case; quote them in the shell,
since &lt; and &gt; are redirections.

Game page: https://www.trevolino.example/
</translation>
    </message>
    <message>
        <source>Confirmação de Desinstalação</source>
        <translation>Uninstallation Confirmation</translation>
    </message>
    <message>
        <source>Contrato de Uso de Software</source>
        <translation>Software Licence Agreement</translation>
    </message>
    <message>
        <source>Contrato</source>
        <translation>Agreement</translation>
    </message>
    <message>
        <source>Eu Li e Concordo Com o Contrato Acima:</source>
        <translation>I Have Read and Agree to the Above:</translation>
    </message>
    <message>
        <source>Para Prosseguir é Necessário Que Você Esteja de</source>
        <translation>To Go On, You Must Agree</translation>
    </message>
    <message>
        <source>Acordo Com o Contrato de Utilização.</source>
        <translation>To the Licence Agreement.</translation>
    </message>
    <message>
        <source>Para Fazer Isto, Assinale a Opção Adequada,</source>
        <translation>To Do So, Tick the Proper Option</translation>
    </message>
    <message>
        <source>Logo Abaixo do Texto do Contrato, Marque:</source>
        <translation>Right Below the Agreement&apos;s Text, Mark:</translation>
    </message>
    <message>
        <source>&quot;Eu Li e Concordo Com o Contrato Acima&quot;</source>
        <translation>&quot;I Have Read and Agree to the Above&quot;</translation>
    </message>
    <message>
        <source>Por Favor, Assine o Contrato!</source>
        <translation>Please, Sign the Agreement!</translation>
    </message>
    <message>
        <source>Recurso &quot;%1&quot; não encontrado.</source>
        <translation>Resource &quot;%1&quot; not found.</translation>
    </message>
    <message>
        <source>Não é possível criar o arquivo &quot;%1&quot;. %2</source>
        <translation>Cannot create the file &quot;%1&quot;. %2</translation>
    </message>
    <message>
        <source>Erro ao gravar o arquivo &quot;%1&quot;. %2</source>
        <translation>Error writing the file &quot;%1&quot;. %2</translation>
    </message>
    <message>
        <source>Tela Abaixo Da Dimensão Mínima Permitida</source>
        <translation>Screen Below the Minimum Size Allowed</translation>
    </message>
    <message>
        <source>Para Adequado Funcionamento Deste Aplicativo</source>
        <translation>For This Application to Work Properly</translation>
    </message>
    <message>
        <source>As Dimensões Mínimas Da Tela Deverão Ser</source>
        <translation>The Screen&apos;s Minimum Size Must Be</translation>
    </message>
    <message>
        <source>800 x 600 Pixels.</source>
        <translation>800 x 600 Pixels.</translation>
    </message>
    <message>
        <source>Na Verdade, Para Utilização Mais Adequada,</source>
        <translation>In Fact, for the Best Use,</translation>
    </message>
    <message>
        <source>O Ideal é Trabalhar Com Dimensão</source>
        <translation>The Ideal Is to Work With a Size Of</translation>
    </message>
    <message>
        <source>1024 x 768 Ou Superior.</source>
        <translation>1024 x 768 or More.</translation>
    </message>
    <message>
        <source>A Execução Não Pode Prosseguir!</source>
        <translation>The Program Cannot Go On!</translation>
    </message>
    <message>
        <source>Notificando Tela Abaixo Das Dimensões Mínimas</source>
        <translation>Screen Below the Minimum Size</translation>
    </message>
    <message>
        <source>Resolução de Tela Inadequada</source>
        <translation>Unsuitable Screen Resolution</translation>
    </message>
    <message>
        <source>As Dimensões Mínimas Recomendáveis Da Tela</source>
        <translation>The Screen&apos;s Recommended Minimum Size</translation>
    </message>
    <message>
        <source>Devem Ser 1024 x 768 Pixels.</source>
        <translation>Is 1024 x 768 Pixels.</translation>
    </message>
    <message>
        <source>A Execução Será Possível Nas Atuais Condições,</source>
        <translation>The Program Can Run as Things Are,</translation>
    </message>
    <message>
        <source>Mas Recomenda-se Aumentar a Resolução Da</source>
        <translation>But Raising the Screen&apos;s Resolution</translation>
    </message>
    <message>
        <source>Tela Para Utilização Com Maior Conforto.</source>
        <translation>Is Recommended for a More Comfortable Use.</translation>
    </message>
    <message>
        <source>Sugerindo Uso De Tela Com Maior Dimensão</source>
        <translation>Suggesting a Larger Screen</translation>
    </message>
    <message>
        <source>Sair</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Girar</source>
        <translation>Spin</translation>
    </message>
    <message>
        <source>Credito</source>
        <translation>Credit</translation>
    </message>
    <message>
        <source>Aposta</source>
        <translation>Bet</translation>
    </message>
    <message>
        <source>Crédito</source>
        <translation>Credit</translation>
    </message>
    <message>
        <source>Apostar 1</source>
        <translation>Bet 1</translation>
    </message>
    <message>
        <source>Apostar 10</source>
        <translation>Bet 10</translation>
    </message>
    <message>
        <source>Apostar 5</source>
        <translation>Bet 5</translation>
    </message>
    <message>
        <source>Mensagem</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>Aposte e Ganhe</source>
        <translation>Bet and Win</translation>
    </message>
    <message>
        <source>Você Deseja Mesmo Sair?</source>
        <translation>Do You Really Want to Exit?</translation>
    </message>
    <message>
        <source>Confirmação Para Saída</source>
        <translation>Exit Confirmation</translation>
    </message>
    <message>
        <source>Para Girar o Trevolino, Primeiro</source>
        <translation>To Spin the Trevolino, First</translation>
    </message>
    <message>
        <source>Você Deve Fazer Uma Aposta!</source>
        <translation>You Must Place a Bet!</translation>
    </message>
    <message>
        <source>Faça Uma Aposta Antes de Puxar a Alavanca</source>
        <translation>Place a Bet Before Pulling the Lever</translation>
    </message>
    <message>
        <source>Boa Sorte</source>
        <translation>Good Luck</translation>
    </message>
    <message>
        <source>Não Há Crédito Suficiente</source>
        <translation>There Is Not Enough Credit</translation>
    </message>
    <message>
        <source>Para Apostar.</source>
        <translation>To Bet.</translation>
    </message>
    <message>
        <source>Crédito Insuficiente</source>
        <translation>Not Enough Credit</translation>
    </message>
    <message>
        <source>Creditos: </source>
        <translation>Credits: </translation>
    </message>
    <message>
        <source>Aposta: </source>
        <translation>Bet: </translation>
    </message>
    <message>
        <source>Parabens</source>
        <translation>Congratulations</translation>
    </message>
    <message>
        <source>Som ligado</source>
        <translation>Sound on</translation>
    </message>
    <message>
        <source>A Pasta Não Contém os Arquivos do Jogo:</source>
        <translation>The Folder Does Not Hold the Game&apos;s Files:</translation>
    </message>
    <message>
        <source>A Pasta de Instalação Já Contém Outros Arquivos:</source>
        <translation>The Installation Folder Already Holds Other Files:</translation>
    </message>
    <message>
        <source>Não Foi Possível Copiar o Desinstalador Para:</source>
        <translation>Could Not Copy the Uninstaller To:</translation>
    </message>
    <message>
        <source>Não Foi Possível Criar o Ícone:</source>
        <translation>Could Not Create the Icon:</translation>
    </message>
    <message>
        <source>Instalação Gerenciada Pelo Sistema</source>
        <translation>Installation Managed by the System</translation>
    </message>
    <message>
        <source>Esta Cópia Do Aplicativo Foi Instalada</source>
        <translation>This Copy of the Application Was Installed</translation>
    </message>
    <message>
        <source>Pelo Gerenciador De Pacotes Do Sistema.</source>
        <translation>By the System&apos;s Package Manager.</translation>
    </message>
    <message>
        <source>Instale Ou Remova-a Somente Por Ele.</source>
        <translation>Install or Remove It Only With That Manager.</translation>
    </message>
    <message>
        <source>Limão</source>
        <translation>Lemon</translation>
    </message>
    <message>
        <source>Morango</source>
        <translation>Strawberry</translation>
    </message>
    <message>
        <source>Cereja</source>
        <translation>Cherry</translation>
    </message>
    <message>
        <source>Melancia</source>
        <translation>Watermelon</translation>
    </message>
    <message>
        <source>Uva</source>
        <translation>Grape</translation>
    </message>
    <message>
        <source>Sino</source>
        <translation>Bell</translation>
    </message>
    <message>
        <source>Barra 1</source>
        <translation>Bar 1</translation>
    </message>
    <message>
        <source>Barra 2</source>
        <translation>Bar 2</translation>
    </message>
    <message>
        <source>Barra 3</source>
        <translation>Bar 3</translation>
    </message>
    <message>
        <source>Sete Azul</source>
        <translation>Blue Seven</translation>
    </message>
    <message>
        <source>Sete Vermelho</source>
        <translation>Red Seven</translation>
    </message>
    <message>
        <source> — ganhou </source>
        <translation> — won </translation>
    </message>
    <message>
        <source> — sem prêmio</source>
        <translation> — no prize</translation>
    </message>
    <message>
        <source>Aposta %1, crédito %2</source>
        <translation>Bet %1, credit %2</translation>
    </message>
    <message>
        <source>Crédito %1</source>
        <translation>Credit %1</translation>
    </message>
</context>
</TS>
